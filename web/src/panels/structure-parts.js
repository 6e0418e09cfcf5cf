// 渐变段、节制闸、跌水与陡坡: the parts of a canal line that are no crossing of
// their own (a transition alone, a check gate, a drop, a chute), picked in
// the panel, each as the command line computes it.

import { StructureFamily } from '../structure-panel.js';

// The command line's examples.
const members = [
  {
    question: 'transition', name: { zh: '渐变段', en: 'Transition' },
    initial: { structure: 'siphon', end: 'inlet', form: 'reverse-warped', 'v-up': '0.8', 'v-down': '0.5', 'canal-depth': '1.5' },
  },
  {
    question: 'gate', name: { zh: '节制闸', en: 'Check gate' },
    initial: { B: '3', 'weir-m': '0.36', hs: '1.5', 'h-up': '1.6', v0: '0.6' },
  },
  {
    question: 'drop', name: { zh: '跌水', en: 'Drop' },
    initial: { Q: '2', b: '1.5', v1: '0.6', P: '2', tailwater: '0.9' },
    shows: { inlet: { trapezoidal: ['crest-slope'] } },
  },
  {
    question: 'chute', name: { zh: '陡坡', en: 'Chute' },
    initial: { Q: '3', B: '2', m: '0', n: '0.014', i: '0.05', L: '40', steps: '8' },
  },
];

export class StructurePartsPanel extends StructureFamily {
  constructor(ctx, definition) {
    super(ctx, definition, members);
  }
}
