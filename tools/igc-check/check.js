// Wraps a pilot file written by Tolmaro into a minimal IGC file, as the
// instrument puts its lines into every flight log's header, and checks that
// igc-parser reads the pilot, glider type and competition class expected.
// Usage: node check.js PILOT_FILE PILOT GLIDER CLASS
'use strict';
const fs = require('fs');
const IGCParser = require('igc-parser');

const [file, ...expected] = process.argv.slice(2);
if (!file || expected.length !== 3) {
  console.error('usage: node check.js PILOT_FILE PILOT GLIDER CLASS');
  process.exit(2);
}
let failures = 0;
function check(what, actual, wanted) {
  if (actual !== wanted) {
    console.error(`${file}: ${what} is ${JSON.stringify(actual)}, expected ${JSON.stringify(wanted)}`);
    failures++;
  }
}

// The file is Windows-1252; every character the program lets through has the
// same code in Latin-1.
const text = fs.readFileSync(file, 'latin1');
const lines = text.split('\n');
check('line count', lines.length - 1, 4);
check('text after the last line feed', lines[lines.length - 1], '');
check('carriage returns', text.includes('\r'), false);
check('IGC-ID line', /^ID.{4}$/.test(lines[0]), true);

// The "ID" line is no IGC record; the other three are H records of source O.
const headers = lines.slice(1, 4);
for (const [name, end] of [['LF', '\n'], ['CR LF', '\r\n']]) {
  const igc = ['AXXXABC', 'HFDTE150724', ...headers].join(end) + end;
  let flight;
  try {
    flight = IGCParser.parse(igc);
  } catch (error) {
    check(`parse with ${name} line ends`, error.message, 'no error');
    continue;
  }
  // igc-parser trims the values it reads.
  const [pilot, glider, gliderClass] = expected.map((value) => value.trim());
  check(`pilot (${name})`, flight.pilot, pilot);
  check(`glider type (${name})`, flight.gliderType, glider);
  check(`competition class (${name})`, flight.competitionClass, gliderClass);
}
if (failures === 0)
  console.log(`${file}: igc-parser reads ${JSON.stringify(expected)}`);
process.exit(failures === 0 ? 0 : 1);
