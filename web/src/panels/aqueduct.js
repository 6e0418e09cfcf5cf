// 渡槽: an aqueduct by Chapter 9 and Appendix K, as the command line's
// aqueduct computes it.

import { StructurePanel } from '../structure-panel.js';

// Test vector TV2, the README's worked aqueduct: a rectangular trough 2 m
// wide carrying 3.619 m³/s at 1.2 m, enlarged by 25 %, quarter-circle walls.
const initial = {
  Q: '3.619', enlarge: '25', B: '2', n: '0.014', i: '0.001', L: '120', 'inlet-form': 'arc-wall', 'outlet-form': 'arc-wall', v1: '0.7', v3: '0.7',
};

// The trough's shape is chosen only where its width is sized for a ratio.
const shows = { 'one-of-2': { ratio: ['trough'] } };

export class AqueductPanel extends StructurePanel {
  constructor(ctx, definition) {
    super(ctx, definition, { question: 'aqueduct', initial, shows });
  }
}
