// A panel over one channel: the catalog, the section's boxes (channel.js)
// and, for the clipboard and the printed report, its inputs and an answer's
// results.

import { ChannelInputs } from './channel.js';
import { t } from './i18n.js';
import { Panel } from './panel.js';
import { resultSections } from './results.js';

export class ChannelPanel extends Panel {
  constructor(ctx, definition, channelOptions = {}) {
    super(ctx, definition);
    this.catalog = ctx.core.catalog();
    this.channel = new ChannelInputs(this.catalog, this.fields, { ...channelOptions, onInput: this.input });
  }

  arrange() {
    this.channel.arrange();
  }

  // The inputs, then each record's items (when there is an answer).
  answerSections(answer) {
    return [{ title: t('inputs'), rows: this.inputRows() }, ...resultSections(answer)];
  }
}
