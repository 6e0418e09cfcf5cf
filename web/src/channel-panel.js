// A panel over one channel: the catalog, the section's boxes (channel.js)
// and, for the clipboard and the printed report, its inputs and an answer's
// results.

import { ChannelInputs } from './channel.js';
import { t } from './i18n.js';
import { Panel } from './panel.js';
import { itemRows } from './results.js';

export class ChannelPanel extends Panel {
  constructor(ctx, definition, channelOptions = {}) {
    super(ctx, definition);
    this.catalog = ctx.core.catalog();
    this.channel = new ChannelInputs(this.catalog, this.fields, { ...channelOptions, onInput: this.input });
  }

  arrange() {
    this.channel.arrange();
  }

  // The inputs, then the items (when there is an answer) under `title`.
  answerSections(items, title = t('results')) {
    const sections = [{ title: t('inputs'), rows: this.inputRows() }];
    if (items) sections.push({ title, rows: itemRows(this.catalog, items, this.channel.system()).map((r) => [r.label, r.text, r.unit]) });
    return sections;
  }
}
