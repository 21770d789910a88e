// Takes screenshots of web pages with the system's chromium, driven through
// the DevTools protocol over a pipe (no download, no npm packages).
//
//   node shoot.js CHROMIUM WIDTH HEIGHT [--scale S] [--trace FILE] < LIST
//
// WIDTH and HEIGHT are in CSS pixels; --scale sets the device pixel ratio.
// LIST has one "URL OUTPUT.png" per line: each page is shot once the player
// has drawn it (it sets data-ready on the body). Lines starting with @ act
// on the page shown last: "@key KEY" (a DOM key name such as " " is spelled
// Space), "@click X Y" (CSS pixels), "@wait MS", "@shot OUTPUT.png". With --trace FILE the last
// last page is played from its start, Space pressed eight times, under the
// performance tracer; the trace goes to FILE and the longest frame callback
// and main-thread task are printed.
'use strict';

const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const [chromium, width, height] = process.argv.slice(2, 5);
const traceAt = process.argv.indexOf('--trace');
const traceFile = traceAt > 0 ? process.argv[traceAt + 1] : null;
const scaleAt = process.argv.indexOf('--scale');
const deviceScale = scaleAt > 0 ? +process.argv[scaleAt + 1] : 1;
const jobs = fs.readFileSync(0, 'utf8').split('\n').map((l) => l.trim()).filter(Boolean)
  .map((l) => {
    if (l.startsWith('@')) return { action: l.slice(1).split(' ') };
    const at = l.lastIndexOf(' ');
    return { url: l.slice(0, at), out: l.slice(at + 1) };
  });
const keys = {
  Space: { key: ' ', code: 'Space', windowsVirtualKeyCode: 32 },
  ArrowRight: { key: 'ArrowRight', code: 'ArrowRight', windowsVirtualKeyCode: 39 },
  ArrowLeft: { key: 'ArrowLeft', code: 'ArrowLeft', windowsVirtualKeyCode: 37 },
  PageDown: { key: 'PageDown', code: 'PageDown', windowsVirtualKeyCode: 34 },
  PageUp: { key: 'PageUp', code: 'PageUp', windowsVirtualKeyCode: 33 },
  Home: { key: 'Home', code: 'Home', windowsVirtualKeyCode: 36 },
  End: { key: 'End', code: 'End', windowsVirtualKeyCode: 35 },
};

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'slideanim-chromium-'));
const browser = spawn(chromium, [
  '--headless=new', '--no-sandbox', '--disable-gpu', '--hide-scrollbars', '--mute-audio',
  '--no-first-run', '--no-default-browser-check', '--disable-extensions',
  '--allow-file-access-from-files', `--user-data-dir=${profile}`,
  '--remote-debugging-pipe', `--window-size=${width},${height}`, 'about:blank',
], { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });

const toBrowser = browser.stdio[3];
const fromBrowser = browser.stdio[4];
let nextId = 1;
const waiting = new Map();
const listeners = [];
let buffer = Buffer.alloc(0);
fromBrowser.on('data', (chunk) => {
  buffer = Buffer.concat([buffer, chunk]);
  let end;
  while ((end = buffer.indexOf(0)) >= 0) {
    const message = JSON.parse(buffer.slice(0, end).toString('utf8'));
    buffer = buffer.slice(end + 1);
    if (message.id && waiting.has(message.id)) {
      const { resolve, reject } = waiting.get(message.id);
      waiting.delete(message.id);
      if (message.error) reject(new Error(JSON.stringify(message.error)));
      else resolve(message.result);
    } else if (message.method) {
      listeners.forEach((f) => f(message));
    }
  }
});

function send(method, params = {}, sessionId) {
  const id = nextId++;
  const message = { id, method, params };
  if (sessionId) message.sessionId = sessionId;
  toBrowser.write(JSON.stringify(message) + '\0');
  return new Promise((resolve, reject) => waiting.set(id, { resolve, reject }));
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

async function main() {
  const { targetInfos } = await send('Target.getTargets');
  const page = targetInfos.find((t) => t.type === 'page');
  const { sessionId } = await send('Target.attachToTarget', { targetId: page.targetId, flatten: true });
  const call = (method, params) => send(method, params, sessionId);
  // A script error in the page fails the run.
  const errors = [];
  listeners.push((m) => {
    if (m.method === 'Runtime.exceptionThrown') errors.push(m.params.exceptionDetails);
  });
  await call('Page.enable');
  await call('Runtime.enable');
  await call('Emulation.setDeviceMetricsOverride',
    { width: +width, height: +height, deviceScaleFactor: deviceScale, mobile: false });
  let loaded = '';
  for (const job of jobs) {
    if (job.action) {
      const [what, a, b] = job.action;
      if (what === 'key') {
        const key = keys[a] || { key: a };
        await call('Input.dispatchKeyEvent', { type: 'keyDown', ...key });
        await call('Input.dispatchKeyEvent', { type: 'keyUp', ...key });
      } else if (what === 'click') {
        for (const type of ['mousePressed', 'mouseReleased'])
          await call('Input.dispatchMouseEvent', { type, x: +a, y: +b, button: 'left', clickCount: 1 });
      } else if (what === 'wait') {
        await sleep(+a);
      } else if (what === 'shot') {
        const shot = await call('Page.captureScreenshot', { format: 'png' });
        fs.writeFileSync(a, Buffer.from(shot.data, 'base64'));
      }
      continue;
    }
    const [doc, hash] = job.url.split('#');
    if (doc !== loaded) {
      await call('Page.navigate', { url: job.url });
      loaded = doc;
    } else {
      await call('Runtime.evaluate', { expression: `location.hash = ${JSON.stringify('#' + hash)}` });
    }
    // "slide:ms" once drawn; a page that plays may have moved on.
    const query = new URLSearchParams(hash || '');
    const want = `${query.get('slide') || 1}:${query.has('t') ? +query.get('t') : ''}`;
    // A loaded machine may take a while; give up after 30 s.
    let ready = false;
    let seen = null;
    let asked = Date.now();
    for (const end = Date.now() + 30000; !ready && Date.now() < end;) {
      const { result } = await call('Runtime.evaluate',
        { expression: 'document.body ? document.body.getAttribute("data-ready") : null', returnByValue: true });
      seen = result.value;
      ready = typeof seen === 'string' && (query.has('t') ? seen === want : seen.startsWith(want));
      if (!ready) await sleep(10);
      // After many shots of one page, a new hash now and then does not reach
      // it; set it again every three seconds.
      if (!ready && hash && Date.now() - asked > 3000) {
        asked = Date.now();
        await call('Runtime.evaluate', { expression: `location.hash = ${JSON.stringify('#' + hash)}` });
      }
    }
    if (!ready) {
      const e = errors[0];
      const why = e ? `; ${e.exception ? e.exception.description : e.text}` : "";
      throw new Error(`the player did not draw ${job.url} (it shows ${seen}${why})`);
    }
    const shot = await call('Page.captureScreenshot', { format: 'png' });
    fs.writeFileSync(job.out, Buffer.from(shot.data, 'base64'));
    if (errors.length) {
      const e = errors[0];
      throw new Error(`${job.url}: ${e.exception ? e.exception.description : e.text}`);
    }
  }
  if (traceFile && jobs.length) {
    // Open the page, let it draw, then trace while Space takes its clicks.
    const last = jobs[jobs.length - 1].url.split('#')[0];
    await call('Page.navigate', { url: `${last}#slide=1` });
    await sleep(1000);
    const events = [];
    listeners.push((m) => { if (m.method === 'Tracing.dataCollected') events.push(...m.params.value); });
    const done = new Promise((r) => listeners.push((m) => { if (m.method === 'Tracing.tracingComplete') r(); }));
    await call('Tracing.start', {
      categories: 'toplevel,devtools.timeline,disabled-by-default-devtools.timeline.frame',
      transferMode: 'ReportEvents',
    });
    for (let i = 0; i < 8; ++i) {
      await call('Input.dispatchKeyEvent', { type: 'keyDown', key: ' ', code: 'Space', windowsVirtualKeyCode: 32 });
      await call('Input.dispatchKeyEvent', { type: 'keyUp', key: ' ', code: 'Space', windowsVirtualKeyCode: 32 });
      await sleep(900);
    }
    await call('Tracing.end');
    await done;
    fs.writeFileSync(traceFile, JSON.stringify(events));
    // The page's own work per frame (its animation-frame callbacks) and the
    // longest task of the page's main thread: wall time, and the thread's
    // processor time (wall time counts the waits of a busy machine too).
    const longest = { callback: [0, 0], task: [0, 0] };
    let frames = 0;
    for (const e of events) {
      if (e.ph !== 'X' || !e.dur || threadName(events, e) !== 'CrRendererMain') continue;
      const kind = e.name === 'FireAnimationFrame' ? 'callback'
        : e.name === 'RunTask' || e.name === 'ThreadControllerImpl::RunTask' ? 'task' : null;
      if (!kind) continue;
      if (kind === 'callback') ++frames;
      longest[kind][0] = Math.max(longest[kind][0], e.dur / 1000);
      longest[kind][1] = Math.max(longest[kind][1], (e.tdur || 0) / 1000);
    }
    const ms = (v) => `${v[0].toFixed(1)} ms (processor ${v[1].toFixed(1)} ms)`;
    console.log(`frames: ${frames}; longest animation frame callback: ${ms(longest.callback)}; ` +
                `longest main-thread task: ${ms(longest.task)}`);
  }
}

const names = new Map();
function threadName(events, e) {
  if (!names.size)
    for (const m of events)
      if (m.ph === 'M' && m.name === 'thread_name') names.set(`${m.pid}:${m.tid}`, m.args.name);
  return names.get(`${e.pid}:${e.tid}`) || '';
}

// Ends the browser, then removes its profile.
function finish(status) {
  browser.once('exit', () => {
    // Helper processes may still be writing into it; a leftover in the
    // temporary folder is no failure.
    setTimeout(() => {
      try { fs.rmSync(profile, { recursive: true, force: true }); } catch (error) { /* left */ }
      process.exit(status);
    }, 100);
  });
  browser.kill();
}

main().then(() => finish(0), (error) => {
  console.error(`error: ${error.message}`);
  finish(1);
});
