// Go: walking to a point. The distance and bearing from the phone's
// position, which is watched as it changes, with the fix's accuracy; an
// arrow that points the way relative to where the phone faces, when the
// phone has a compass; the screen kept on while Go runs. The engine
// computes every distance and bearing (the geodesic on WGS 84, as CP does);
// this file only watches and shows.
import { watchHere } from './here.js';

const $ = (id) => document.getElementById(id);

let going = null; // { Module, target, stopWatch, stopCompass, lock, heading, leg }

// Where the top of the screen faces, in degrees clockwise from north, from
// the phone's compass: `onHeading(degrees)`. Returns the function that
// stops listening.
function watchCompass(onHeading) {
  const screenAngle = () => screen.orientation?.angle ?? 0;
  const absolute = (e) => {
    if (e.alpha === null || e.alpha === undefined) return;
    onHeading((360 - e.alpha + screenAngle()) % 360);
  };
  // Safari gives the compass heading on the plain event; some browsers
  // make the plain event absolute.
  const plain = (e) => {
    if (typeof e.webkitCompassHeading === 'number') onHeading((e.webkitCompassHeading + screenAngle()) % 360);
    else if (e.absolute) absolute(e);
  };
  addEventListener('deviceorientationabsolute', absolute);
  addEventListener('deviceorientation', plain);
  return () => {
    removeEventListener('deviceorientationabsolute', absolute);
    removeEventListener('deviceorientation', plain);
  };
}

// The turn from where the phone faces to the bearing, for the arrow's
// label: "ahead", "40° to the right".
function turnText(turn) {
  const signed = ((turn % 360) + 540) % 360 - 180;
  const degrees = Math.round(Math.abs(signed));
  if (degrees <= 5) return 'The point is ahead';
  return `Turn ${degrees}° to the ${signed > 0 ? 'right' : 'left'}`;
}

function draw() {
  const { leg, heading } = going;
  const arrow = $('go-arrow');
  if (!leg) return;
  if (!leg.found) {
    $('go-distance').textContent = '';
    $('go-bearing').textContent = leg.text;
    arrow.toggleAttribute('hidden', true);
    return;
  }
  $('go-distance').textContent = leg.distanceText;
  $('go-bearing').textContent = `Bearing ${leg.bearingText}`;
  // Without a compass an arrow could only point to the north's side of
  // the screen, which is no direction: the bearing says the way.
  // (An SVG element has no `hidden` property: the attribute is set.)
  const hide = heading === null || leg.distance < 0.5;
  arrow.toggleAttribute('hidden', hide);
  if (!hide) {
    const turn = (leg.bearing - heading + 360) % 360;
    arrow.style.transform = `rotate(${turn}deg)`;
    arrow.setAttribute('aria-label', turnText(turn));
  }
  $('go-compass').textContent = heading === null
    ? `No compass: walk towards ${leg.bearingText}.`
    : 'The arrow points the way; hold the phone flat.';
}

function fixed(fix) {
  const { Module, target } = going;
  going.leg = Module.legTo(fix.lat, fix.lon, target.lat, target.lon);
  const closer = going.leg.found && going.leg.distance <= fix.accuracy ? ': the point is within it' : '';
  $('go-fix').textContent = `Your position ±${Math.ceil(fix.accuracy)} m${closer}`;
  $('go-fix').classList.remove('error');
  draw();
}

async function keepScreenOn() {
  const said = $('go-screen');
  if (!navigator.wakeLock) {
    said.textContent = 'This browser cannot keep the screen on.';
    return;
  }
  try {
    const lock = await navigator.wakeLock.request('screen');
    if (!going) {
      lock.release();
      return;
    }
    going.lock = lock;
    said.textContent = 'The screen stays on while Go runs.';
  } catch (e) {
    said.textContent = `The screen may turn off: ${e.message}`;
  }
}

function start() {
  going.stopWatch = watchHere(fixed, (e) => {
    $('go-fix').textContent = e.message;
    $('go-fix').classList.add('error');
  });
  going.stopCompass = watchCompass((heading) => {
    going.heading = heading;
    draw();
  });
  keepScreenOn();
}

// Stops watching the position and the compass and lets the screen go off.
function pause() {
  going.stopWatch?.();
  going.stopCompass?.();
  going.stopWatch = null;
  going.stopCompass = null;
  going.lock?.release().catch(() => {});
  going.lock = null;
}

// target: { name, lat, lon, text, geo, osm } of a point on the Earth.
export function openGo(Module, target) {
  if (going) pause();
  going = { Module, target, stopWatch: null, stopCompass: null, lock: null, heading: null, leg: null };
  $('go-target').textContent = `To ${target.name}: ${target.text}`;
  $('go-geo').href = target.geo;
  $('go-osm').href = target.osm;
  $('go-distance').textContent = '…';
  $('go-bearing').textContent = '';
  $('go-compass').textContent = '';
  $('go-fix').textContent = 'Finding your position…';
  $('go-screen').textContent = '';
  $('go-arrow').toggleAttribute('hidden', true);
  // Safari asks for the compass within the tap that opened Go.
  window.DeviceOrientationEvent?.requestPermission?.().catch(() => {});
  $('go-dialog').showModal();
  start();
}

$('go-dialog').addEventListener('close', () => {
  if (!going) return;
  pause();
  going = null;
});

// A hidden page watches nothing and keeps no screen on; it goes on when it
// is seen again.
document.addEventListener('visibilitychange', () => {
  if (!going) return;
  if (document.visibilityState === 'hidden') pause();
  else if (!going.stopWatch) start();
});
