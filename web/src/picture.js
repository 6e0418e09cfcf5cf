// A picture on the page: a figure with its caption and buttons that save it
// as an SVG file or a PNG image, and the download of any blob.

import { el, clear } from './dom.js';
import { t } from './i18n.js';

export function download(blob, name) {
  const url = URL.createObjectURL(blob);
  const link = el('a', { href: url, download: name, hidden: true });
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

export function svgText(picture) {
  return `<?xml version="1.0" encoding="UTF-8"?>\n${new XMLSerializer().serializeToString(picture)}`;
}

export function svgToPng(picture, scale = 2) {
  const width = Number(picture.getAttribute('width'));
  const height = Number(picture.getAttribute('height'));
  const url = URL.createObjectURL(new Blob([svgText(picture)], { type: 'image/svg+xml' }));
  return new Promise((resolve, reject) => {
    const image = new Image();
    image.onload = () => {
      const canvas = el('canvas', { width: width * scale, height: height * scale });
      const context = canvas.getContext('2d');
      context.scale(scale, scale);
      context.drawImage(image, 0, 0, width, height);
      URL.revokeObjectURL(url);
      canvas.toBlob((blob) => (blob ? resolve(blob) : reject(new Error('png'))), 'image/png');
    };
    image.onerror = () => {
      URL.revokeObjectURL(url);
      reject(new Error('svg'));
    };
    image.src = url;
  });
}

export class Picture {
  // name: the file name's stem; caption(): the figure's caption now.
  constructor(name, caption) {
    this.name = name;
    this.caption = caption;
    this.holder = el('div', { class: 'picture-holder' });
    this.captionNode = el('figcaption');
    this.svgButton = el('button', { type: 'button', class: 'save', 'data-save': 'svg', onclick: () => this.saveSvg() });
    this.pngButton = el('button', { type: 'button', class: 'save', 'data-save': 'png', onclick: () => this.savePng() });
    // A panel may add its own ways to save (a design's DXF) beside these.
    this.actions = el('div', { class: 'picture-actions' }, this.svgButton, this.pngButton);
    this.root = el('figure', { class: 'picture', 'data-picture': name }, this.holder, this.captionNode, this.actions);
    this.relabel();
    this.show(null);
  }

  relabel() {
    this.captionNode.textContent = this.caption();
    this.svgButton.textContent = t('saveSvg');
    this.pngButton.textContent = t('savePng');
  }

  // Replaces the drawing; null hides the figure.
  show(drawing) {
    this.drawing = drawing;
    clear(this.holder);
    if (drawing) {
      drawing.setAttribute('aria-label', this.caption());
      this.holder.append(drawing);
    }
    this.root.hidden = !drawing;
  }

  saveSvg() {
    if (this.drawing) download(new Blob([svgText(this.drawing)], { type: 'image/svg+xml' }), `${this.name}.svg`);
  }

  async savePng() {
    if (this.drawing) download(await svgToPng(this.drawing), `${this.name}.png`);
  }
}
