// 倒虹吸: an inverted siphon by Chapter 10 and Appendix L, as the command
// line's siphon computes it, with its losses drawn by term and flow.

import { StructurePanel } from '../structure-panel.js';

// Test vector TV1, the README's worked siphon: one barrel of 1.2 m, two bends
// of 3.6 m at 30°, reverse warped transitions and 0.7 m of head allowed,
// with an enlarged flow of 20 % and a minimum flow of 1 m³/s beside it.
const initial = {
  Q: '2', enlarge: '20', Qmin: '1', D: '1.2', L: '150', n: '0.014', 'inlet-zeta': '0.2', 'gate-slots': '1', bend: '3.6:30;3.6:30', 'outlet-ratio': '0.4',
  'inlet-form': 'reverse-warped', 'outlet-form': 'reverse-warped', v1: '0.8', v2: '1.0', v3: '0.8', hu: '1.5', hd: '1.45',
  'bed-up': '100', 'allowed-head': '0.7',
};

// A box barrel's height goes with its width, the rounding with a trial
// velocity, the outlet's rule with its area ratio.
const shows = { 'one-of-2': { B: ['H'], 'v-trial': ['series'] }, 'one-of-3': { 'outlet-ratio': ['outlet-rule'] } };

export class SiphonPanel extends StructurePanel {
  constructor(ctx, definition) {
    super(ctx, definition, { question: 'siphon', initial, shows });
  }
}
