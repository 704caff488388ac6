// Walking to a point with the page: Go follows the phone's position and its
// compass, keeps the screen on and stops watching when it ends or the page
// is hidden; Average takes the mean of several fixes; Here and Average
// write what runs where they insert it. Every distance and bearing is held
// to GeographicLib's GeodSolve, run here on the same places.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { assertSaid, calc, openPage, scriptBox, startBrowser } from './browser.mjs';

let session;
before(async () => {
  session = await startBrowser();
});
after(() => session?.close());

// GeodSolve -i: the geodesic from one place to another on WGS 84,
// { azimuth (degrees at the start), distance (metres) }.
function geodSolve(lat1, lon1, lat2, lon2) {
  const out = execFileSync('GeodSolve', ['-i', '-p', '9'], { input: `${lat1} ${lon1} ${lat2} ${lon2}\n`, encoding: 'utf8' });
  const [azimuth, , distance] = out.trim().split(/\s+/).map(Number);
  return { azimuth: (azimuth + 360) % 360, distance };
}

// Records what the page asks of the phone: the location watches that are
// running, and the screen's wake lock.
const phone = () => {
  window.watching = 0;
  const { watchPosition, clearWatch } = Geolocation.prototype;
  Geolocation.prototype.watchPosition = function (...args) {
    window.watching++;
    return watchPosition.apply(this, args);
  };
  Geolocation.prototype.clearWatch = function (id) {
    window.watching--;
    return clearWatch.call(this, id);
  };
  window.lock = { requested: 0, held: 0 };
  Object.defineProperty(Navigator.prototype, 'wakeLock', {
    configurable: true,
    get: () => ({
      async request(type) {
        window.lock.requested++;
        window.lock.held++;
        let released = false;
        return {
          type,
          async release() {
            if (!released) window.lock.held--;
            released = true;
          },
        };
      },
    }),
  });
};

// The page shown as hidden, then as seen again, as when the phone is locked.
const setVisibility = (page, state) => page.evaluate((s) => {
  Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => s });
  document.dispatchEvent(new Event('visibilitychange'));
}, state);

// The angle by which the arrow is drawn turned, in degrees [0, 360).
const arrowAngle = (page) => page.locator('#go-arrow').evaluate((a) => {
  const [m11, m12] = getComputedStyle(a).transform.match(/-?[\d.e-]+/g).map(Number);
  return ((Math.atan2(m12, m11) * 180) / Math.PI + 360) % 360;
});

// Turns the phone, lying flat, so that its top faces `heading` degrees
// from north: the compass's alpha counts the other way.
async function face(cdp, heading) {
  const half = (((360 - heading) % 360) * Math.PI) / 360;
  await cdp.send('Emulation.setSensorOverrideReadings', {
    type: 'absolute-orientation', reading: { quaternion: { x: 0, y: 0, z: Math.sin(half), w: Math.cos(half) } },
  });
}

const near = (actual, expected, tolerance, what) => assert.ok(Math.abs(actual - expected) <= tolerance, `${what}: ${actual}, not ${expected}`);

const target = { lat: 48.185383, lon: 11.644317 };

describe('Go', () => {
  test('distance, bearing and the arrow follow the phone and its compass; the screen stays on while Go runs', async () => {
    const start = { latitude: 48.20575, longitude: 11.5083333, accuracy: 7.3 };
    const { context, page, problems } = await openPage(session, {
      hasTouch: true, isMobile: true, geolocation: start, init: phone,
      // The compass is read from the phone's motion sensors.
      permissions: ['geolocation', 'accelerometer', 'gyroscope', 'magnetometer'],
    });
    await scriptBox(page).fill(`OLAT = ${target.lat}; OLON = ${target.lon};`);
    await calc(page);
    await page.getByRole('button', { name: 'Hand-off' }).click();
    const handOff = page.getByRole('dialog', { name: 'Hand-off' });
    assert.equal(await handOff.getByRole('link', { name: 'OpenStreetMap' }).getAttribute('href'),
      'https://www.openstreetmap.org/?mlat=48.185383&mlon=11.644317#map=18/48.185383/11.644317');
    await handOff.getByRole('button', { name: 'Go' }).click();
    const go = page.getByRole('dialog', { name: 'Go' });
    assert.equal(await go.locator('#go-target').textContent(), 'To puzzle: N 48° 11.123 E 011° 38.659');
    assert.equal(await go.getByRole('link', { name: 'Map app' }).getAttribute('href'), 'geo:48.185383,11.644317?q=48.185383,11.644317');
    assert.equal(await go.getByRole('link', { name: 'OpenStreetMap' }).getAttribute('href'),
      'https://www.openstreetmap.org/?mlat=48.185383&mlon=11.644317#map=18/48.185383/11.644317');

    // No compass yet: the bearing in degrees and words, and no arrow.
    // GeodSolve: 102.576124° and 10359.978 m.
    let way = geodSolve(start.latitude, start.longitude, target.lat, target.lon);
    await assertSaid(page, '10.36 km', '#go-distance');
    assert.equal(await go.locator('#go-bearing').textContent(), 'Bearing 103° (ESE)');
    assert.equal(await go.locator('#go-compass').textContent(), 'No compass: walk towards 103° (ESE).');
    assert.equal(await go.locator('#go-fix').textContent(), 'Your position ±8 m');
    assert.equal(await page.locator('#go-arrow').isVisible(), false);
    near(way.distance, 10359.978, 0.001, 'GeodSolve');
    assert.equal(await go.locator('#go-screen').textContent(), 'The screen stays on while Go runs.');
    assert.deepEqual(await page.evaluate(() => [window.watching, window.lock.held]), [1, 1]);

    // A phone with a compass, its top facing 330° (NNW).
    await go.getByRole('button', { name: 'Stop' }).click();
    const cdp = await context.newCDPSession(page);
    await cdp.send('Emulation.setSensorOverrideEnabled', { enabled: true, type: 'absolute-orientation' });
    await face(cdp, 330);
    await page.getByRole('button', { name: 'Hand-off' }).click();
    await handOff.getByRole('button', { name: 'Go' }).click();
    await page.locator('#go-arrow').waitFor();
    assert.equal(await go.locator('#go-compass').textContent(), 'The arrow points the way; hold the phone flat.');
    near(await arrowAngle(page), (way.azimuth - 330 + 360) % 360, 0.01, 'the arrow');
    assert.equal(await page.locator('#go-arrow').getAttribute('aria-label'), 'Turn 133° to the right');

    // Walking: each new fix gives the way from there. GeodSolve gives
    // 98.838921° and 3334.910 m from the first, 122.114735° and 45.388 m
    // from the second.
    for (const [here, distance] of [[{ latitude: 48.19, longitude: 11.6, accuracy: 5 }, '3.33 km'],
      [{ latitude: 48.1856, longitude: 11.6438, accuracy: 4 }, '45 m']]) {
      await context.setGeolocation(here);
      await assertSaid(page, distance, '#go-distance');
      way = geodSolve(here.latitude, here.longitude, target.lat, target.lon);
      assert.equal(Math.round(way.distance) >= 1000 ? `${(way.distance / 1000).toFixed(2)} km` : `${Math.round(way.distance)} m`, distance);
      near(await arrowAngle(page), (way.azimuth - 330 + 360) % 360, 0.01, 'the arrow');
    }
    // Turned to face 60° (ENE): the arrow turns the other way.
    await face(cdp, 60);
    await page.waitForFunction((a) => Math.abs(parseFloat(document.getElementById('go-arrow').style.transform.slice(7)) - a) < 0.01,
      (way.azimuth - 60 + 360) % 360);
    near(await arrowAngle(page), way.azimuth - 60, 0.01, 'the arrow');
    assert.equal(await go.locator('#go-fix').textContent(), 'Your position ±4 m');

    // Hidden: nothing is watched and the screen may go off; seen again,
    // Go goes on.
    await setVisibility(page, 'hidden');
    assert.deepEqual(await page.evaluate(() => [window.watching, window.lock.held]), [0, 0]);
    await setVisibility(page, 'visible');
    await page.waitForFunction(() => window.watching === 1 && window.lock.held === 1);
    // Stop ends it all.
    await go.getByRole('button', { name: 'Stop' }).click();
    assert.deepEqual(await page.evaluate(() => [window.watching, window.lock.held]), [0, 0]);
    assert.deepEqual(problems, []);
    await context.close();
  });

  test('without a position or a way to keep the screen on, Go says why', async () => {
    const { context, page } = await openPage(session, { init: () => { delete Navigator.prototype.wakeLock; } });
    await scriptBox(page).fill(`OLAT = ${target.lat}; OLON = ${target.lon};`);
    await calc(page);
    await page.getByRole('button', { name: 'Hand-off' }).click();
    await page.getByRole('button', { name: 'Go' }).click();
    await assertSaid(page, 'The page may not know where you are: allow the location for this page in the browser’s site settings, then try again.', '#go-fix');
    assert.equal(await page.locator('#go-screen').textContent(), 'This browser cannot keep the screen on.');
    await context.close();
  });
});

describe('Average and Here', () => {
  test('Average takes the mean of 10 fixes, shows their count and spread, and inserts it with its accuracy', async () => {
    // Ten fixes a few metres around a place, as a phone standing still gives.
    const fixes = Array.from({ length: 10 }, (_, i) => ({
      latitude: 48.2 + 0.00002 * Math.sin(i * 1.3), longitude: 11.5 + 0.00003 * Math.cos(i * 0.7), accuracy: 4 + (i % 3),
    }));
    const { context, page } = await openPage(session, {
      geolocation: fixes[0], permissions: ['geolocation'], init: phone,
    });
    await scriptBox(page).fill('VAR D, A;\n\nCP(, 48.2, 11.6, D, A);');
    await scriptBox(page).evaluate((t) => t.setSelectionRange(10, 10));
    await page.getByRole('button', { name: 'Average' }).click();
    const dialog = page.getByRole('dialog', { name: 'Average your position' });
    assert.equal(await dialog.getByRole('spinbutton', { name: 'Fixes' }).inputValue(), '10');
    await page.waitForFunction(() => document.getElementById('average-progress').value === 1);
    for (let i = 1; i < fixes.length; i++) {
      await context.setGeolocation(fixes[i]);
      await page.waitForFunction((n) => document.getElementById('average-progress').value === n, i + 1);
    }
    // The watch ends with the tenth fix.
    assert.equal(await page.evaluate(() => window.watching), 0);

    // The mean is the fixes' mean; the spread the root mean square of the
    // distances (by GeodSolve) from it; the accuracy the fixes' mean, being
    // larger.
    const lat = fixes.reduce((s, f) => s + f.latitude, 0) / 10;
    const lon = fixes.reduce((s, f) => s + f.longitude, 0) / 10;
    const spread = Math.sqrt(fixes.reduce((s, f) => s + geodSolve(lat, lon, f.latitude, f.longitude).distance ** 2, 0) / 10);
    const accuracy = fixes.reduce((s, f) => s + f.accuracy, 0) / 10;
    assert.ok(spread < accuracy);
    assert.equal(await dialog.locator('#average-said').textContent(),
      `10 fixes, spread ${spread.toFixed(1)} m, ±${Math.ceil(accuracy)} m. Done: Insert puts it into the script.`);
    await dialog.getByRole('button', { name: 'Insert' }).click();
    await assertSaid(page, `Inserted the mean of 10 fixes (±${Math.ceil(accuracy)} m)`);
    // On its own line: the statement that makes it the script's point.
    const minutes = (v) => ((v % 1) * 60).toFixed(3);
    const statement = `OLAT = °N 48 ${minutes(lat)}; OLON = °E 11 ${minutes(lon)}; {±${Math.ceil(accuracy)} m, mean of 10 fixes}`;
    assert.equal(await scriptBox(page).inputValue(), `VAR D, A;\n${statement}\nCP(, 48.2, 11.6, D, A);`);

    // Here inside a call: the pair.
    await scriptBox(page).evaluate((t) => t.setSelectionRange(t.value.indexOf('(') + 1, t.value.indexOf('(') + 1));
    await page.getByRole('button', { name: 'Here' }).click();
    await assertSaid(page, /^Inserted your position/);
    assert.match(await scriptBox(page).inputValue(), /\nCP\(°N 48 \d\d\.\d{3}, °E 11 \d\d\.\d{3} \{±\d m\}, 48\.2, 11\.6, D, A\);$/);
    await calc(page);
    assert.equal(await page.locator('#status').textContent(), '');
    await context.close();
  });
});
