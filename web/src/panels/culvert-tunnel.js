// 涵洞与隧洞: a canal culvert (Chapter 11, Appendix M) or a free-surface
// tunnel (Chapter 15), picked in the panel, each as the command line computes it.

import { StructureFamily } from '../structure-panel.js';

// The command line's examples.
const members = [
  {
    question: 'culvert', name: { zh: '涵洞', en: 'Culvert' },
    initial: { Q: '2', Qj: '2.4', B: '1.5', H: '1.8', i: '0.001', L: '30' },
    shows: { barrel: { rectangle: ['B', 'H'], circle: ['D'], arch: ['B', 'H', 'Ra'] } },
  },
  {
    question: 'tunnel', name: { zh: '隧洞', en: 'Tunnel' },
    initial: { Q: '8', enlarge: '20', section: 'arch', B: '2.6', H: '3', n: '0.014', i: '0.001', L: '500' },
    // A tunnel is one of the closed sections; the arch's height ratio sizes a tunnel left without B and H.
    choices: { section: ['circle', 'arch', 'horseshoe'] },
    shows: { section: { circle: ['D'], arch: ['B', 'H', 'Ra', 'height-ratio'], horseshoe: ['r', 'type'] } },
  },
];

export class CulvertTunnelPanel extends StructureFamily {
  constructor(ctx, definition) {
    super(ctx, definition, members);
  }
}
