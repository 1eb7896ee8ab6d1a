// Lets igc-parser, an independent IGC reader, read what we write:
//   node check.js PILOT_FILE PILOT GLIDER CLASS   a pilot file, its three H lines
//     put into a minimal flight log as the instrument puts them into each one
//   node check.js --flights LOG...   flight logs, read strictly, dated as named,
//     with no fixes (switched off on the ground) or a flight's worth
//   node check.js --gliders LOG...   each log's glider type, one a line
'use strict';
const fs = require('fs');
const path = require('path');
const IGCParser = require('igc-parser');

const [first, ...rest] = process.argv.slice(2);
const problems = [];
if (first === '--flights') {
  for (const log of rest) {
    const flight = IGCParser.parse(fs.readFileSync(log, 'latin1'));
    if (!path.basename(log).startsWith(flight.date) || (flight.fixes.length > 0 && flight.fixes.length < 100))
      problems.push(`${log}: dated ${flight.date}, ${flight.fixes.length} fixes`);
  }
} else if (first === '--gliders') {
  for (const log of rest)
    console.log(JSON.stringify(IGCParser.parse(fs.readFileSync(log, 'latin1')).gliderType));
} else {
  // Windows-1252: every character the program lets through has the same code in Latin-1.
  const headers = fs.readFileSync(first, 'latin1').split('\n').slice(1, 4);
  const expected = JSON.stringify(rest.map((value) => value.trim()));   // igc-parser trims
  for (const end of ['\n', '\r\n']) {
    const flight = IGCParser.parse(['AXXXABC', 'HFDTE150724', ...headers].join(end) + end);
    const read = JSON.stringify([flight.pilot, flight.gliderType, flight.competitionClass]);
    if (read !== expected)
      problems.push(`${first}: igc-parser reads ${read}, not ${expected}`);
  }
}
problems.forEach((problem) => console.error(problem));
process.exit(problems.length ? 1 : 0);
