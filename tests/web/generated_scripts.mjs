// Pseudo-random scripts that put the engine's maths to work: every maths
// function written to the last digit, the geodesy and the constructions,
// the coordinate writers. The same seed gives the same scripts, so the
// native program and the page can be handed the same ones.
//   generateScripts(count, seed) -> [text, ...] (each with CRLF line ends)

// splitmix64
function randomSource(seed) {
  let state = BigInt(seed);
  const mask = (1n << 64n) - 1n;
  const next = () => {
    state = (state + 0x9e3779b97f4a7c15n) & mask;
    let z = state;
    z = ((z ^ (z >> 30n)) * 0xbf58476d1ce4e5b9n) & mask;
    z = ((z ^ (z >> 27n)) * 0x94d049bb133111ebn) & mask;
    return z ^ (z >> 31n);
  };
  const uniform = (lo, hi) => lo + ((hi - lo) * Number(next() >> 11n)) / 2 ** 53;
  const int = (lo, hi) => Math.floor(uniform(lo, hi + 1));
  const pick = (list) => list[int(0, list.length - 1)];
  return { uniform, int, pick };
}

// The language has no unary minus: a negative literal is written 0 - x.
const num = (x, digits) => (x < 0 ? `(0 - ${(-x).toFixed(digits)})` : x.toFixed(digits));

function statements(r) {
  const prec = () => r.pick([0, 3, 6, 7, 10, 15, 20]);
  const lat = () => num(r.uniform(-80, 80), 6);
  const lon = () => num(r.uniform(-180, 180), 6);
  // A second point near the first, or anywhere.
  const pair = () => {
    const la1 = r.uniform(-80, 80);
    const lo1 = r.uniform(-180, 180);
    const far = r.int(0, 3) === 0;
    const la2 = far ? r.uniform(-80, 80) : la1 + r.uniform(-0.5, 0.5);
    const lo2 = far ? r.uniform(-180, 180) : lo1 + r.uniform(-0.5, 0.5);
    return [`${num(la1, 6)}, ${num(lo1, 6)}`, `${num(la2, 6)}, ${num(lo2, 6)}`];
  };
  // Germany and around, where Gauss-Krueger strips are used.
  const gkPoint = () => `${num(r.uniform(46, 56), 6)}, ${num(r.uniform(5, 16), 6)}`;
  const one = {
    SIN: [-3.5, 3.5], COS: [-3.5, 3.5], TAN: [-1.6, 1.6], ATAN: [-50, 50], ASIN: [-1.05, 1.05],
    ACOS: [-1.05, 1.05], TANH: [-20, 20], EXP: [-40, 40], SQRT: [0, 1e6], TORAD: [-360, 360],
    TODEG: [-7, 7], FLOOR: [-100, 100], CEIL: [-100, 100], FABS: [-100, 100],
  };
  return [
    () => {
      const f = r.pick(Object.keys(one));
      return `WRITE '${f} ', ${f}(${num(r.uniform(...one[f]), r.pick([1, 4, 6]))}):${prec()};`;
    },
    () => `WRITE 'ATAN2 ', ATAN2(${num(r.uniform(-1e3, 1e3), 4)}, ${num(r.uniform(-1e3, 1e3), 4)}):${prec()};`,
    () => `WRITE 'POW ', POW(${num(r.uniform(0, 100), 4)}, ${num(r.uniform(-6, 6), 4)}):${prec()};`,
    () => `WRITE 'CUBE ', POW(${r.int(1, 300000)}, 3):0, ' ', ${r.int(1, 9999)} ^ ${r.int(2, 4)}:0;`,
    () => `WRITE 'ROOT ', ${num(r.uniform(0, 1e5), 3)} | ${r.int(2, 7)}:${prec()};`,
    () => `WRITE 'FMOD ', FMOD(${num(r.uniform(-1e4, 1e4), 5)}, ${num(r.uniform(0.1, 400), 3)}):${prec()};`,
    () => `A = TORAD(${num(r.uniform(0, 360), 4)}); WRITE 'TRIG ', SIN(A) * COS(A) / TAN(A + 0.1):${prec()};`,
    () => {
      const [p, q] = pair();
      return `CP(${p}, ${q}, S, A); WRITE 'CP ', S:${prec()}, ' ', A:${prec()};`;
    },
    () => `CBP(${lat()}, ${lon()}, ${num(r.uniform(0, 360), 3)}, ${num(r.uniform(1, 2e7), 1)}, LA, LO); ` +
      `WRITE 'CBP ', LA:${prec()}, ' ', LO:${prec()}, ' ', WGPS(LA, LO);`,
    () => {
      const [p, q] = pair();
      const f = r.pick(['DISTVINCENTY', 'DISTUTM', 'BEARINGUTM']);
      return `WRITE '${f} ', ${f}(${p}, ${q}):${prec()};`;
    },
    () => `WRITE 'PROJUTM ', PROJUTMLAT(${lat()}, ${lon()}, ${num(r.uniform(0, 360), 2)}, ` +
      `${num(r.uniform(1, 50000), 1)}):${prec()}, ' ', PROJUTMLON(${lat()}, ${lon()}, ` +
      `${num(r.uniform(0, 360), 2)}, ${num(r.uniform(1, 50000), 1)}):${prec()};`,
    () => `GPS2UTM(${lat()}, ${lon()}, Z, B, E, N); WRITE 'UTM ', WUTM(Z, B, E, N), ' ', ` +
      `E:${prec()}, ' ', N:${prec()}; UTM2GPS(Z, B, E, N, LA, LO); WRITE ' ', LA:${prec()}, ' ', LO:${prec()};`,
    () => `GPS2GK(${gkPoint()}, ${r.int(2, 5)}, R, H); WRITE 'GK ', WGK(H, R), ' ', R:${prec()}, ' ', ` +
      `H:${prec()}; GK2GPS(R, H, LA, LO); WRITE ' ', LA:${prec()}, ' ', LO:${prec()};`,
    () => `GPS2DHDN(${gkPoint()}, ${r.int(2, 5)}, R, H); WRITE 'DHDN ', R:${prec()}, ' ', H:${prec()}; ` +
      `DHDN2GPS(R, H, LA, LO); WRITE ' ', LA:${prec()}, ' ', LO:${prec()}, ' ', MKZ(LO);`,
    () => `CENTER(${gkPoint()}, ${gkPoint()}, ${gkPoint()}, LA, LO); WRITE 'CENTER ', LA:${prec()}, ' ', LO:${prec()};`,
    () => `KREUZPEILUNG(${gkPoint()}, ${num(r.uniform(0, 360), 2)}, ${gkPoint()}, ${num(r.uniform(0, 360), 2)}, LA, LO); ` +
      `WRITE 'KREUZPEILUNG ', LA:${prec()}, ' ', LO:${prec()};`,
    () => `BOGENSCHNITT(${gkPoint()}, ${gkPoint()}, ${num(r.uniform(1e3, 6e5), 1)}, ${num(r.uniform(1e3, 6e5), 1)}, ` +
      `LA, LO, LB, LC); WRITE 'BOGENSCHNITT ', LA:${prec()}, ' ', LO:${prec()}, ' ', LB:${prec()}, ' ', LC:${prec()};`,
    () => `WRITE 'W ', WLAT(${lat()}), ' ', WLON(${lon()}), ' ', WGC(${lat()}, ${lon()}), ' ', ` +
      `WDMS(${lat()}, ${lon()}), ' ', KQSUM(${lat()});`,
    () => `WRITE 'GMMMM ', GMMMM(${r.int(0, 89)}, ${r.int(0, 5)}, ${r.int(0, 9)}, ${r.int(0, 9)}, ${r.int(0, 9)}):${prec()};`,
    () => {
      const c = () => num(r.uniform(-20, 20), 3);
      return `LIN3(${c()}, ${c()}, ${c()}, ${c()}, ${c()}, ${c()}, ${c()}, ${c()}, ${c()}, ${c()}, ${c()}, ` +
        `${c()}, X, Y, ZZ); WRITE 'LIN3 ', X:${prec()}, ' ', Y:${prec()}, ' ', ZZ:${prec()};`;
    },
  ];
}

export function generateScripts(count, seed = 20240611) {
  const r = randomSource(seed);
  const kinds = statements(r);
  const scripts = [];
  for (let i = 0; i < count; i++) {
    const lines = ['VAR A, S, LA, LO, LB, LC, Z, B, E, N, R, H, X, Y, ZZ;', 'MARGIN = 0;'];
    const n = r.int(4, 14);
    for (let j = 0; j < n; j++) lines.push(r.pick(kinds)());
    scripts.push(lines.join('\r\n') + '\r\n');
  }
  return scripts;
}
