// A canal line of 500 nodes as its CSV file, the benchmark's
// (bench/canal_line_bench.cpp): 50 km zigzagging through an IP every
// kilometre, 16 siphons, aqueducts, tunnels and culverts, 4 check gates and
// two offtakes; for the page's benchmark of a long line. Its level at the head is 1000.
export function canalLine500() {
  const fixed = (x) => x.toFixed(3);
  const lines = ['name,kind,x,y,Rc,B,m,n,i,Q,D,L,inlet-zeta,outlet-zeta,trough,barrel,section,H,loss,hold',
    'head,start,0,0,,3,1.5,0.017,1/4000,12,,,,,,,,,,'];
  const inlets = ['siphon-in', 'aqueduct-in', 'tunnel-in', 'culvert-in'];
  const outlets = ['siphon-out', 'aqueduct-out', 'tunnel-out', 'culvert-out'];
  const parameters = [',,,0.014,,,2.6,160,0.2,0.3,,,,,,', ',3.2,,0.014,1/1000,,,,,,rectangle,,,,,',
    ',3.4,,0.014,1/1500,,,,,,,,arch,3.6,,', ',3.2,,0.014,1/1000,,,,,,,rectangle,,3,,'];
  let [x, y, heading] = [0, 0, 0];
  for (let leg = 0; leg < 50; ++leg) {
    heading += leg % 2 === 0 ? 0.35 : -0.35;
    const [dx, dy] = [Math.cos(heading), Math.sin(heading)];
    for (let s = 1; s <= 9; ++s) {
      const at = `${fixed(x + 100 * s * dx)},${fixed(y + 100 * s * dy)}`;
      const name = `N${leg}-${s}`;
      const structure = leg % 3 === 1 && leg < 48;
      const type = Math.floor(leg / 3) % 4;
      if (structure && s === 4) lines.push(`${name},${outlets[type]},${at},,,,,,,,,,,,,,,,`);
      else if (structure && s === 3) lines.push(`${name},${inlets[type]},${at},${parameters[type]}`);
      else if (leg % 10 === 0 && leg > 0 && s === 5) lines.push(`${name},gate,${at},,,,,,,,,,,,,,,0.05,design`);
      else {
        const offtake = (leg === 15 || leg === 35) && s === 7;
        lines.push(`${name}${offtake ? ',offtake,' : ',node,'}${at},,,,,,${offtake ? (leg === 15 ? '9' : '6') : ''},,,,,,,,,,`);
      }
    }
    x += 1000 * dx;
    y += 1000 * dy;
    lines.push(`IP${leg}${leg === 49 ? ',node,' : ',ip,'}${fixed(x)},${fixed(y)}${leg === 49 ? ',' : ',100'},,,,,,,,,,,,,,,`);
  }
  return `${lines.join('\n')}\n`;
}
