// A structure's section as a drawing exchange file, written as the design's
// is (calc/services/dxf_writer.cpp): AutoCAD R12 text, millimetres on paper
// at a scale 1:N, the layers OUTLINE (the boundary), WATER (the design level,
// the enlarged one dashed), DIMENSIONS and TEXT. Labels are ASCII (an R12 file
// has no agreed encoding for Chinese), their numbers the core's own texts.

const textHeight = 3.5; // mm on paper
const tick = 1.5;
// The page's dimension offsets are pixels; on paper 18 px stand 8 mm off, as the design's gap.
const millimetresPerPixel = 8 / 18;

const layers = [['OUTLINE', 7], ['WATER', 5], ['DIMENSIONS', 3], ['TEXT', 7]];

// A coordinate to a thousandth of a millimetre (correctly rounded: toFixed
// rounds the double's exact value), without trailing zeros or a minus zero.
export function dxfNumber(x) {
  const text = x.toFixed(3).replace(/\.?0+$/, '');
  return text === '-0' ? '0' : text;
}

class Dxf {
  constructor() {
    this.lines = [];
  }

  pair(code, value) {
    this.lines.push(String(code).padStart(3, ' '), String(value));
  }

  point(code, x, y) {
    this.pair(code, dxfNumber(x));
    this.pair(code + 10, dxfNumber(y));
    this.pair(code + 20, '0');
  }

  line(layer, [x0, y0], [x1, y1], dashed = false) {
    this.pair(0, 'LINE');
    this.pair(8, layer);
    if (dashed) this.pair(6, 'DASHED');
    this.point(10, x0, y0);
    this.point(11, x1, y1);
  }

  // Text centred on (x, y), turned by `angle` degrees.
  label([x, y], text, angle = 0) {
    this.pair(0, 'TEXT');
    this.pair(8, 'TEXT');
    this.point(10, x, y);
    this.pair(40, dxfNumber(textHeight));
    this.pair(1, text);
    if (angle) this.pair(50, dxfNumber(angle));
    this.pair(72, '1');
    this.point(11, x, y);
    this.pair(73, '2');
  }

  text() {
    return `${this.lines.join('\n')}\n`;
  }
}

function header(dxf) {
  for (const [code, value] of [[0, 'SECTION'], [2, 'HEADER'], [9, '$ACADVER'], [1, 'AC1009'], [9, '$INSUNITS'], [70, '4'], [0, 'ENDSEC'],
    [0, 'SECTION'], [2, 'TABLES'], [0, 'TABLE'], [2, 'LTYPE'], [70, '2']]) dxf.pair(code, value);
  for (const dashed of [false, true]) {
    dxf.pair(0, 'LTYPE');
    dxf.pair(2, dashed ? 'DASHED' : 'CONTINUOUS');
    dxf.pair(70, '0');
    dxf.pair(3, dashed ? '__ __ __' : 'Solid line');
    dxf.pair(72, '65');
    dxf.pair(73, dashed ? '2' : '0');
    dxf.pair(40, dashed ? '9' : '0');
    if (dashed) {
      dxf.pair(49, '6');
      dxf.pair(49, '-3');
    }
  }
  dxf.pair(0, 'ENDTAB');
  dxf.pair(0, 'TABLE');
  dxf.pair(2, 'LAYER');
  dxf.pair(70, String(layers.length));
  for (const [name, colour] of layers) {
    dxf.pair(0, 'LAYER');
    dxf.pair(2, name);
    dxf.pair(70, '0');
    dxf.pair(62, String(colour));
    dxf.pair(6, 'CONTINUOUS');
  }
  dxf.pair(0, 'ENDTAB');
  dxf.pair(0, 'ENDSEC');
}

// A dimension from a to b (paper mm), `offset` mm to the right of the way
// from a to b (the side the page draws it on), with extension lines, end
// ticks and "h=1.2" beyond it.
function dimension(dxf, [ax, ay], [bx, by], offset, text) {
  const length = Math.hypot(bx - ax, by - ay) || 1;
  const [nx, ny] = [((by - ay) / length) * offset, (-(bx - ax) / length) * offset];
  const [pa, pb] = [[ax + nx, ay + ny], [bx + nx, by + ny]];
  const over = (tick + offset) / offset;
  dxf.line('DIMENSIONS', [ax, ay], [ax + nx * over, ay + ny * over]);
  dxf.line('DIMENSIONS', [bx, by], [bx + nx * over, by + ny * over]);
  dxf.line('DIMENSIONS', pa, pb);
  for (const [x, y] of [pa, pb]) dxf.line('DIMENSIONS', [x - tick / 2, y - tick / 2], [x + tick / 2, y + tick / 2]);
  const beyond = (offset + textHeight) / offset;
  const vertical = Math.abs(by - ay) > Math.abs(bx - ax);
  dxf.label([(ax + bx) / 2 + nx * beyond, (ay + by) / 2 + ny * beyond], text, vertical ? 90 : 0);
}

// outline: outlineGeometry's; marks: structureMarks' (dimensions with their
// values); title: the line under the drawing; scale: N of 1:N.
export function outlineDxf(outline, marks, title, scale) {
  const k = 1000 / scale;
  const paper = ([x, z]) => [x * k, z * k];
  const dxf = new Dxf();
  header(dxf);
  dxf.pair(0, 'SECTION');
  dxf.pair(2, 'ENTITIES');
  const boundary = outline.boundary.map(paper);
  for (let n = 1; n < boundary.length; ++n) dxf.line('OUTLINE', boundary[n - 1], boundary[n]);
  const levels = [[outline.water, false], ...marks.surfaces.map((s) => [s.points, Boolean(s.dash)])];
  for (const [points, dashed] of levels) {
    if (points?.length === 2 && points[0][0] !== points[1][0]) dxf.line('WATER', paper(points[0]), paper(points[1]), dashed);
  }
  for (const dim of marks.dims) dimension(dxf, paper(dim.from), paper(dim.to), dim.offset * millimetresPerPixel, `${dim.text}=${dim.value}`);
  const bottom = Math.min(...boundary.map((p) => p[1]));
  const middle = (Math.min(...boundary.map((p) => p[0])) + Math.max(...boundary.map((p) => p[0]))) / 2;
  dxf.label([middle, bottom - 16 - 3 * textHeight], `${title}  1:${scale}`);
  dxf.pair(0, 'ENDSEC');
  dxf.pair(0, 'EOF');
  return dxf.text();
}
