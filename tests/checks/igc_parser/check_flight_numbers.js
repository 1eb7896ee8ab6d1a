// The flight view's numbers against an independent computation: each flight
// log read by igc-parser, the numbers computed from its fixes by the view's
// definitions, compared with the lines of flight_numbers (stdin):
// times and altitudes exactly, distances within 0.1 %, climbs within 0.05 m/s.
//   flight_numbers LOG... | node check_flight_numbers.js
'use strict';
const fs = require('fs');
const IGCParser = require('igc-parser');

const R = 6371000;   // the FAI sphere
const rad = (d) => (d * Math.PI) / 180;
function distance(a, b) {
  const h = Math.sin(rad(b.latitude - a.latitude) / 2) ** 2 +
    Math.cos(rad(a.latitude)) * Math.cos(rad(b.latitude)) * Math.sin(rad(b.longitude - a.longitude) / 2) ** 2;
  return 2 * R * Math.asin(Math.sqrt(Math.min(1, h)));
}

// Seconds since the first fix: the first step back of more than 12 hours
// adds a day; other fixes that go back or repeat are left out.
function timed(fixes) {
  const out = [];
  let day = 0;
  for (const fix of fixes) {
    const [h, m, s] = fix.time.split(':').map(Number);
    let t = h * 3600 + m * 60 + s + day;
    if (out.length) {
      t -= out[0].tod;
      const last = out[out.length - 1].t;
      if (t <= last) {
        if (day || last - t <= 43200) continue;
        day = 86400;
        t += day;
      }
    }
    out.push({ ...fix, tod: h * 3600 + m * 60 + s, t: out.length ? t : 0 });
  }
  return out;
}

// Climbs of a series [{t, alt}]: from the last fix at least 20 s before.
function climbs(series) {
  const result = [];
  let j = -1;
  for (let i = 0; i < series.length; i++) {
    while (j + 1 < i && series[j + 1].t <= series[i].t - 20) j++;
    if (j >= 0 && series[j].t <= series[i].t - 20)
      result.push((series[i].alt - series[j].alt) / (series[i].t - series[j].t));
  }
  return result;
}

function numbers(fixes) {
  const f = timed(fixes);
  if (!f.length) return { fixes: 0 };
  const gps = f.filter((x) => x.valid).map((x) => ({ t: x.t, alt: x.gpsAltitude || 0 }));
  const pressure = f.map((x) => ({ t: x.t, alt: x.pressureAltitude || 0 }));
  const hasPressure = pressure.some((x) => x.alt !== 0);
  const series = hasPressure ? pressure : gps;
  const c = climbs(series);
  const hhmmss = (s) => new Date((s % 86400) * 1000).toISOString().slice(11, 19);
  let track = 0;
  for (let i = 1; i < f.length; i++) track += distance(f[i - 1], f[i]);
  return {
    fixes: f.length, start: hhmmss(f[0].tod), landing: hhmmss(f[0].tod + f[f.length - 1].t), seconds: f[f.length - 1].t,
    maxGps: gps.length ? Math.max(...gps.map((x) => x.alt)) : '-',
    maxPressure: hasPressure ? Math.max(...pressure.map((x) => x.alt)) : '-',
    startAltitude: series.length ? series[0].alt : '-',
    maxClimb: c.length ? Math.max(...c) : '-', maxSink: c.length ? Math.min(...c) : '-',
    track, straight: distance(f[0], f[f.length - 1]), farthest: Math.max(...f.map((x) => distance(f[0], x))),
  };
}

const lines = fs.readFileSync(0, 'utf8').trim().split('\n');
const problems = [];
// Compared exactly, within 0.05 m/s, within 0.1 %.
const names = ['fixes', 'start', 'landing', 'seconds', 'maxGps', 'maxPressure', 'startAltitude', 'maxClimb', 'maxSink',
  'track', 'straight', 'farthest'];
const agree = (i, ours, theirs) => ours === '-' || theirs === '-' || i < 7 ? ours === String(theirs)
  : Math.abs(ours - theirs) <= (i < 9 ? 0.05 : 0.001 * Math.max(theirs, 1));
for (const line of lines) {
  const [log, ...fields] = line.split(' ');
  const expected = numbers(IGCParser.parse(fs.readFileSync(log, 'latin1')).fixes);
  names.forEach((name, i) => {
    const theirs = expected[name] === undefined ? '-' : expected[name];
    if (!agree(i, fields[i], theirs)) problems.push(`${log}: ${name} is ${fields[i]}, igc-parser gives ${theirs}`);
  });
}
problems.forEach((problem) => console.error(problem));
console.log(`${lines.length} logs: numbers as computed from igc-parser's fixes`);
process.exit(problems.length || !lines.length ? 1 : 0);
