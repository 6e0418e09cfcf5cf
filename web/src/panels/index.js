// The panels, in tab order. A panel that needs the toolkit is left out when
// the core offers the click alone. New panels are a row here and a module.

import { CalculatorPanel } from './calculator.js';
import { UniformPanel } from './uniform.js';
import { RatingPanel } from './rating.js';
import { JumpPanel } from './jump.js';
import { ProfilePanel } from './profile.js';
import { NaturalPanel } from './natural.js';
import { ReachPanel } from './reach.js';
import { LinePanel } from './line.js';
import { BatchPanel } from './batch.js';
import { DesignPanel } from './design.js';
import { SiphonPanel } from './siphon.js';
import { AqueductPanel } from './aqueduct.js';
import { CulvertTunnelPanel } from './culvert-tunnel.js';
import { StructurePartsPanel } from './structure-parts.js';

export const panels = [
  { key: 'calculator', name: { zh: '计算器', en: 'Calculator' }, needs: 'click', Panel: CalculatorPanel },
  { key: 'uniform', name: { zh: '均匀流', en: 'Uniform flow' }, needs: 'toolkit', Panel: UniformPanel },
  { key: 'rating', name: { zh: '水位流量关系', en: 'Rating curve' }, needs: 'toolkit', Panel: RatingPanel },
  { key: 'jump', name: { zh: '水跃', en: 'Hydraulic jump' }, needs: 'toolkit', Panel: JumpPanel },
  { key: 'profile', name: { zh: '水面线', en: 'Water surface profile' }, needs: 'toolkit', Panel: ProfilePanel },
  { key: 'natural', name: { zh: '天然断面', en: 'Natural channel' }, needs: 'toolkit', Panel: NaturalPanel },
  { key: 'reach', name: { zh: '河道水面线', en: 'River reach' }, needs: 'toolkit', Panel: ReachPanel },
  { key: 'line', name: { zh: '渠线水面线', en: 'Canal line' }, needs: 'toolkit', Panel: LinePanel },
  { key: 'batch', name: { zh: '批量', en: 'Batch' }, needs: 'toolkit', Panel: BatchPanel },
  { key: 'design', name: { zh: '渠道设计', en: 'Canal design' }, needs: 'toolkit', Panel: DesignPanel },
  { key: 'siphon', name: { zh: '倒虹吸', en: 'Inverted siphon' }, needs: 'toolkit', Panel: SiphonPanel },
  { key: 'aqueduct', name: { zh: '渡槽', en: 'Aqueduct' }, needs: 'toolkit', Panel: AqueductPanel },
  { key: 'culvert-tunnel', name: { zh: '涵洞与隧洞', en: 'Culverts and tunnels' }, needs: 'toolkit', Panel: CulvertTunnelPanel },
  { key: 'structure-parts', name: { zh: '渐变段、节制闸、跌水与陡坡', en: 'Transitions, gates, drops and chutes' }, needs: 'toolkit', Panel: StructurePartsPanel },
];

export function availablePanels(core) {
  return panels.filter((p) => p.needs === 'click' || core.hasToolkit);
}
