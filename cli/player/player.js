// The slideanim web player: plays the slides of web.json (the library's web
// description, copied into the page) over the layers that `slideanim html`
// drew, with what deck.js adds (layers, parts, iteration, slide offsets).
// Hand-written, no framework. Every frame is drawn from the slide's clock:
// the state of a layer at a time is a function of that time, so showing
// index.html#slide=N&t=MS is the same drawing as reaching MS by playing.
(function () {
  'use strict';

  var deck = window.slideanimDeck;
  var description = JSON.parse(document.getElementById('description').textContent);
  var records = {};
  (description.effects || []).forEach(function (e) { records[e.id] = e; });

  var canvas = document.getElementById('slide');
  var context = canvas.getContext('2d');
  var params = {};
  var bare = false;

  // ---- slides and their click entries ----

  // Each slide's entries: the clicks of the description's timelines that play
  // its effects, at times on the slide's own clock.
  function entriesOf(slide) {
    var entries = [];
    var triggerCount = {};
    (description.timelines || []).forEach(function (timeline) {
      (timeline.clicks || []).forEach(function (click) {
        var ids = (click.animations || []).filter(function (id) { return slide.effects[id]; });
        if (!ids.length) return;
        var entry = { trigger: timeline.trigger || '', ids: ids, time: 0, taken: false, at: 0 };
        // Where the build placed the entry: its effects' starts less their
        // delays; the description's own times run on through the deck.
        var placed = ids.map(function (id) {
          var start = slide.effects[id].start;
          var delay = records[id] ? records[id].properties.delay || 0 : 0;
          return start === undefined ? Infinity : start - delay;
        });
        if (Math.min.apply(null, placed) < Infinity) {
          // Below 0 when the entry began on an earlier slide: the effects of a
          // slide that opens without a click join the last click before it.
          entry.time = Math.min.apply(null, placed);
        } else if (entry.trigger) {
          var k = triggerCount[entry.trigger] || 0;
          triggerCount[entry.trigger] = k + 1;
          var steps = slide.triggers[entry.trigger] ? slide.triggers[entry.trigger].steps : [];
          entry.time = k < steps.length ? steps[k] : click.start;
        } else {
          entry.time = click.start - slide.offset;
        }
        entries.push(entry);
      });
    });
    entries.sort(function (a, b) { return a.time - b.time; });
    return entries;
  }

  var slides = deck.slides.map(function (slide) {
    var s = Object.assign({}, slide);
    s.entries = entriesOf(slide);
    s.images = null;
    return s;
  });

  function loadImages(slide, done) {
    if (slide.images) {
      if (slide.images.pending === 0) done();
      else slide.images.waiting.push(done);
      return;
    }
    var files = [slide.background].concat(slide.layers.map(function (l) { return l.file; }),
      (slide.overlays || []).map(function (o) { return o.file; }));
    var images = { list: [], pending: files.length, waiting: [done] };
    slide.images = images;
    files.forEach(function (file) {
      var image = new Image();
      image.onload = image.onerror = function () {
        images.pending -= 1;
        if (images.pending === 0) images.waiting.splice(0).forEach(function (f) { f(); });
      };
      image.src = file;
      images.list.push(image);
    });
  }

  // Each picture drawn once at the canvas's resolution (text stays sharp at
  // any zoom: the SVG is drawn again when the scale changes), so that a frame
  // only copies pixels.
  function rasterize(slide) {
    if (slide.rasterScale === scale) return;
    slide.bitmaps = slide.images.list.map(function (image, k) {
      var n = slide.layers.length;
      var box = k === 0 ? [0, 0, slide.width, slide.height]
        : k <= n ? slide.layers[k - 1].ink : slide.overlays[k - 1 - n].ink;
      var bitmap = document.createElement('canvas');
      bitmap.width = Math.max(1, Math.ceil(box[2] * scale));
      bitmap.height = Math.max(1, Math.ceil(box[3] * scale));
      try {
        bitmap.getContext('2d').drawImage(image, 0, 0, box[2] * scale, box[3] * scale);
      } catch (error) { /* a picture that did not load draws nothing */ }
      return { canvas: bitmap, box: [box[0], box[1], bitmap.width / scale, bitmap.height / scale] };
    });
    slide.rasterScale = scale;
  }

  // ---- time ----

  // Progress through `length` ms after `u` ms, with `accel` ms speeding up
  // and `decel` ms slowing down (constant acceleration, then cruise).
  function eased(u, length, accel, decel) {
    if (!(length > 0)) return 1;
    u = Math.max(0, Math.min(length, u));
    var ta = Math.max(0, accel || 0), td = Math.max(0, decel || 0);
    if (ta + td > length) { var f = length / (ta + td); ta *= f; td *= f; }
    if (ta === 0 && td === 0) return u / length;
    var vmax = 1 / (length - ta / 2 - td / 2);
    if (u < ta) return 0.5 * vmax / ta * u * u;
    var p = ta > 0 ? 0.5 * vmax * ta : 0;
    var e = length - td;
    if (u <= e) return p + (u - ta) * vmax;
    p += (e - ta) * vmax;
    var r = u - e;
    return Math.min(1, p + vmax * r - 0.5 * vmax / td * r * r);
  }

  // Where effect `p` (its properties) stands `u` ms after it started: the
  // time inside one pass, or null before it starts and once a rewinding
  // effect has ended. `ended` says the effect has played out.
  function effectClock(p, u, until) {
    if (u < 0) return null;
    var length = Math.max(1, p.duration || 0);
    var pass = p.autoReverse ? 2 * length : length;
    var repeat = p.repeat === undefined ? 1 : p.repeat;
    var total = repeat === 0 ? (p.untilNextClick && until !== undefined ? until : Infinity)
                             : pass * repeat;
    var ended = u >= total;
    if (ended && p.rewind) return null;
    var c;
    if (ended) {
      c = repeat === 0 ? (u % pass) : (p.autoReverse ? 0 : length);
      if (repeat !== 0 && !p.autoReverse && total % pass !== 0) c = total % pass;
    } else {
      c = u % pass;
      // A repeat ends on its last state; the next one starts after it.
      if (c === 0 && u > 0) c = pass;
    }
    if (p.autoReverse && c > length) c = pass - c;
    var eff = eased(c, length, p.accelerate, p.decelerate) * length;
    return { t: eff, ended: ended };
  }

  // ---- behaviours (values.js) ----

  var PI = Math.PI;
  var valueFns = window.slideanimValues;
  var listValue = valueFns.listValue, pathPoint = valueFns.pathPoint, valueList = valueFns.valueList;

  // ---- masks (masks.js) ----

  var masks = window.slideanimMasks;
  var filterMask = masks.filterMask, rect = masks.rect, widenSmall = masks.widenSmall;

  // ---- state of the layers at a time ----

  function identity() { return new DOMMatrix(); }

  function freshState(slide) {
    return slide.layers.map(function (layer) {
      return { hidden: !!layer.hidden, opacity: 1, matrix: identity(), shift: [0, 0], masks: [],
               fill: null, line: null, text: null };
    });
  }

  // The layers each effect plays on, with the time offset of each (text
  // units iterate an interval apart, after the shape's own pass).
  function partsOf(slide, id, length) {
    var info = slide.effects[id];
    var list = [];
    var textUnits = info.layers.filter(function (k) { return slide.layers[k].name.indexOf('/p') >= 0; });
    var shapeFirst = info.iterate && textUnits.length < info.layers.length;
    var unit = 0;
    info.layers.forEach(function (k) {
      var isText = slide.layers[k].name.indexOf('/p') >= 0;
      var offset = 0;
      if (info.iterate && isText) {
        offset = (shapeFirst ? length : 0) + unit * (info.interval || 0);
        if (!slide.layers[k].blank) unit += 1;
      }
      list.push({ layer: k, offset: offset });
    });
    return list;
  }

  // Applies behaviour `b` (at progress p, on layer state `s`, with the
  // effect's origin) and reports whether it drew.
  function applyBehaviour(b, p, s, layer, origin, slide) {
    var v, list;
    var W = slide.width, H = slide.height;
    var isShape = /\/shape$/.test(layer.name) || layer.name.indexOf('/') < 0;
    switch (b.type) {
      case 1: // set
        setValue(b.variable, b.to, s, origin, isShape);
        return;
      case 0: case 7:
        if (b.variable === 14 && b.values && b.values.length === 4 && b.type === 0 &&
            (b.values[1] === 0 || b.values[1] === 1) && (b.values[3] === 0 || b.values[3] === 1)) {
          s.opacity *= b.values[1] + (b.values[3] - b.values[1]) * p;
          return;
        }
        list = valueList(b.values || [], b.variable === 12 ? origin[0] : b.variable === 13 ? origin[1] : 0);
        v = listValue(list, p);
        if (v === null) return;
        if (b.variable === 12) s.matrix = new DOMMatrix().translate(v - origin[0], 0).multiply(s.matrix);
        else if (b.variable === 13) s.matrix = new DOMMatrix().translate(0, v - origin[1]).multiply(s.matrix);
        else if (b.variable === 14) s.opacity *= Math.max(0, Math.min(1, v));
        else if (b.variable === 15) s.matrix = rotateAbout(v, origin).multiply(s.matrix);
        else if (b.variable === 10 || b.variable === 11) {
          var m = new DOMMatrix().translate(origin[0], origin[1])
            .scale(b.variable === 10 ? v : 1, b.variable === 11 ? v : 1).translate(-origin[0], -origin[1]);
          s.matrix = m.multiply(s.matrix);
        }
        return;
      case 2: // rotation by
        if (b.variable === 15) s.matrix = rotateAbout(p * (b.by || 0), origin).multiply(s.matrix);
        return;
      case 3:
        if (b.variable === 19 && b.values) {
          var sx = 1 + p * b.values[0] / 100, sy = 1 + p * b.values[1] / 100;
          s.matrix = new DOMMatrix().translate(origin[0], origin[1]).scale(sx, sy)
            .translate(-origin[0], -origin[1]).multiply(s.matrix);
        } else if (b.values) {
          colour(b, p, s, isShape, true);
        }
        return;
      case 4:
        colour(b, p, s, isShape, false);
        return;
      case 6: { // motion path, in fractions of the slide
        var pt = pathPoint(b.values, b.reversePath ? 1 - p : p, W, H);
        s.matrix = new DOMMatrix().translate(pt[0], pt[1]).multiply(s.matrix);
        return;
      }
      case -1: // a filter without a web effect: the sliding peek
        if (b.direction === undefined) return;
        peek(b, p, s, layer);
        return;
    }
    if (b.type >= 32 && b.type <= 44) {
      var mask = filterMask(b, p, layer.box);
      if (mask) s.masks.push({ polys: mask, matrix: s.matrix });
    }
  }

  function peek(b, p, s, layer) {
    var box = widenSmall(layer.box, 0);
    var w = box[2] - box[0], h = box[3] - box[1];
    var dx = 0, dy = 0;
    var entrance = b.presetClass !== 1;
    switch (b.direction) {
      case 0: dx = (entrance ? -w : 0) + p * w; break;
      case 1: dx = (entrance ? w : 0) - p * w; break;
      case 2: dy = (entrance ? h : 0) - p * h; break;
      case 3: dy = (entrance ? -h : 0) + p * h; break;
    }
    s.shift = [s.shift[0] + dx, s.shift[1] + dy];
    s.masks.push({ polys: [rect(box[0], box[1], box[2], box[3])], matrix: s.matrix });
  }

  function rotateAbout(degrees, origin) {
    return new DOMMatrix().translate(origin[0], origin[1]).rotate(degrees).translate(-origin[0], -origin[1]);
  }

  function setValue(variable, to, s, origin, isShape) {
    switch (variable) {
      case 17: s.hidden = !to; break;
      case 14: s.opacity *= Math.max(0, Math.min(1, +to)); break;
      case 15: s.matrix = rotateAbout(+to * 180 / PI, origin).multiply(s.matrix); break;
      case 12: s.matrix = new DOMMatrix().translate(+to - origin[0], 0).multiply(s.matrix); break;
      case 13: s.matrix = new DOMMatrix().translate(0, +to - origin[1]).multiply(s.matrix); break;
      case 0: case 1: if (isShape && Array.isArray(to)) s.fill = { rgb: to, amount: 1 }; break;
      case 2: if (isShape && Array.isArray(to)) s.line = { rgb: to, amount: 1 }; break;
      case 3: if (Array.isArray(to)) s.text = { rgb: to, amount: 1 }; break;
    }
  }

  // Colour changes recolour a layer (see drawTinted): fills and lines on the
  // shape's own layer, the colour of shape and text on every layer.
  function colour(b, p, s, isShape, offset) {
    var change = { rgb: offset ? null : b.values.slice(0, 3), amount: p,
                   hsl: offset && b.ColorSpace === 'HSL' ? b.values : null,
                   by: offset && b.ColorSpace === 'RGB' ? b.values : null };
    if (b.variable === 3) s.text = change;
    else if (isShape && (b.variable === 0 || b.variable === 1)) s.fill = change;
    else if (isShape && b.variable === 2) s.line = change;
  }

  // Plays every taken entry's effects on the slide's layers at `now`.
  function stateAt(slide, now) {
    var states = freshState(slide);
    var sounds = [];
    slide.entries.forEach(function (entry, index) {
      if (!entry.taken) return;
      var next = slide.entries.slice(index + 1).filter(function (e) { return !e.trigger && e.taken; })[0];
      entry.ids.forEach(function (id) {
        var record = records[id];
        if (!record) return;
        var p = record.properties;
        var start = entry.at + (p.delay || 0);
        var until = next ? next.at - start : undefined;
        var behaviours = p.type === 5 ? (p.parts || []) : [p];
        partsOf(slide, id, Math.max(1, p.duration || 0)).forEach(function (part) {
          var clock = effectClock(p, now - start - part.offset, until);
          if (!clock) return;
          var layer = slide.layers[part.layer];
          var s = states[part.layer];
          // Iterated text units turn and grow about their own centres.
          var own = slide.effects[id].iterate && isText(layer);
          var origin = own ? [(layer.box[0] + layer.box[2]) / 2, (layer.box[1] + layer.box[3]) / 2]
                           : p.origin;
          behaviours.forEach(function (b) {
            if (b.type === 8) {
              sounds.push({ id: id, start: start + part.offset, name: b.sound });
              return;
            }
            if (b.type === undefined) return;  // commands
            var bdur = b === p ? Math.max(1, p.duration || 0) : Math.max(1, b.duration || 0);
            var local = clock.t - (b === p ? 0 : (b.delay || 0));
            if (local < 0) return;
            // Filters draw only while their effect plays.
            if (clock.ended && (b.type >= 32 || b.type === -1)) return;
            var q = b === p ? clock.t / bdur : eased(local, bdur, b.accelerate, b.decelerate);
            if (b.autoReverse && b !== p) q = q <= 0.5 ? 2 * q : 2 - 2 * q;
            applyBehaviour(b, Math.max(0, Math.min(1, q)), s, layer, origin, slide);
          });
        });
      });
    });
    return { layers: states, sounds: sounds };
  }
  function isText(layer) { return layer.name.indexOf('/p') >= 0; }

  // ---- drawing ----

  var current = 0;   // slide index
  var now = 0;       // ms on the slide's clock
  var playing = false;
  var lastFrame = 0;
  var scale = 1;

  function fit() {
    var slide = slides[current];
    var ratio = window.devicePixelRatio || 1;
    var room = bare ? [window.innerWidth, window.innerHeight]
                    : [window.innerWidth, Math.max(50, window.innerHeight - 48)];
    var width = deck.pageWidth > 0 && !bare ? deck.pageWidth : Math.min(room[0], room[1] * slide.width / slide.height);
    var height = width * slide.height / slide.width;
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    canvas.width = Math.round(width * ratio);
    canvas.height = Math.round(height * ratio);
    scale = canvas.width / slide.width;
  }

  function draw() {
    var slide = slides[current];
    if (!slide.images || slide.images.pending) return;
    rasterize(slide);
    var state = stateAt(slide, now);
    var ctx = context;
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.clearRect(0, 0, canvas.width, canvas.height);
    var base = new DOMMatrix().scale(scale, scale);
    ctx.setTransform(base);
    blit(ctx, slide.bitmaps[0]);
    var children = slide.layers.map(function () { return []; });
    var roots = [];
    slide.layers.forEach(function (layer, k) {
      if (layer.parent >= 0) children[layer.parent].push(k); else roots.push(k);
    });
    function drawLayer(k, parent, alpha) {
      var s = state.layers[k];
      if (s.hidden) return;
      var opacity = alpha * s.opacity;
      if (opacity <= 0.002) return;
      var matrix = parent.multiply(s.matrix);
      ctx.save();
      s.masks.forEach(function (mask) {
        ctx.setTransform(base.multiply(parent).multiply(mask.matrix));
        ctx.beginPath();
        mask.polys.forEach(function (poly) {
          poly.forEach(function (pt, i) { if (i) ctx.lineTo(pt[0], pt[1]); else ctx.moveTo(pt[0], pt[1]); });
          ctx.closePath();
        });
        ctx.clip('evenodd');
      });
      var content = matrix.multiply(new DOMMatrix().translate(s.shift[0], s.shift[1]));
      ctx.setTransform(base.multiply(content));
      ctx.globalAlpha = Math.min(1, opacity);
      var bitmap = slide.bitmaps[k + 1];
      var tint = s.fill || s.line || s.text;
      if (tint) drawTinted(ctx, bitmap, tint);
      else blit(ctx, bitmap);
      ctx.globalAlpha = 1;
      children[k].forEach(function (child) { drawLayer(child, content, opacity); });
      ctx.restore();
    }
    // Static content above a top layer comes right after it.
    roots.forEach(function (k) {
      drawLayer(k, identity(), 1);
      (slide.overlays || []).forEach(function (overlay, i) {
        if (overlay.after === k) blit(ctx, slide.bitmaps[1 + slide.layers.length + i]);
      });
    });
    playSounds(state.sounds);
    updateControls();
  }

  function blit(ctx, bitmap) {
    ctx.drawImage(bitmap.canvas, bitmap.box[0], bitmap.box[1], bitmap.box[2], bitmap.box[3]);
  }

  // A colour change recolours the layer's pixels: towards a colour ("to"),
  // by RGB offsets (0..255) or by HSL offsets (degrees, percent), each
  // scaled by the progress.
  var scratch = document.createElement('canvas');
  function drawTinted(ctx, bitmap, tint) {
    scratch.width = bitmap.canvas.width;
    scratch.height = bitmap.canvas.height;
    var sc = scratch.getContext('2d');
    sc.drawImage(bitmap.canvas, 0, 0);
    var image = sc.getImageData(0, 0, scratch.width, scratch.height);
    var d = image.data, p = Math.max(0, Math.min(1, tint.amount));
    for (var i = 0; i < d.length; i += 4) {
      if (!d[i + 3]) continue;
      var rgb = [d[i], d[i + 1], d[i + 2]];
      if (tint.rgb) rgb = rgb.map(function (c, k) { return c + (tint.rgb[k] - c) * p; });
      else if (tint.by) rgb = rgb.map(function (c, k) { return c + tint.by[k] * p; });
      else if (tint.hsl) rgb = shiftHsl(rgb, tint.hsl[0] * p, tint.hsl[1] * p, tint.hsl[2] * p);
      d[i] = rgb[0]; d[i + 1] = rgb[1]; d[i + 2] = rgb[2];
    }
    sc.putImageData(image, 0, 0);
    blit(ctx, { canvas: scratch, box: bitmap.box });
  }

  function shiftHsl(rgb, dh, ds, dl) {
    var r = rgb[0] / 255, g = rgb[1] / 255, b = rgb[2] / 255;
    var max = Math.max(r, g, b), min = Math.min(r, g, b), l = (max + min) / 2, h = 0, s = 0;
    if (max !== min) {
      var e = max - min;
      s = l > 0.5 ? e / (2 - max - min) : e / (max + min);
      h = max === r ? (g - b) / e + (g < b ? 6 : 0) : max === g ? (b - r) / e + 2 : (r - g) / e + 4;
      h *= 60;
    }
    h = ((h + dh) % 360 + 360) % 360;
    s = Math.max(0, Math.min(1, s + ds / 100));
    l = Math.max(0, Math.min(1, l + dl / 100));
    var q = l < 0.5 ? l * (1 + s) : l + s - l * s, m = 2 * l - q;
    function channel(t) {
      t = (t + 1) % 1;
      if (t < 1 / 6) return m + (q - m) * 6 * t;
      if (t < 1 / 2) return q;
      if (t < 2 / 3) return m + (q - m) * (2 / 3 - t) * 6;
      return m;
    }
    return [channel(h / 360 + 1 / 3) * 255, channel(h / 360) * 255, channel(h / 360 - 1 / 3) * 255];
  }

  // Sounds start when playing crosses their effect's start.
  var soundClock = { slide: -1, time: 0 };
  function playSounds(list) {
    if (!playing) { soundClock = { slide: current, time: now }; return; }
    var from = soundClock.slide === current ? soundClock.time : -1;
    list.forEach(function (sound) {
      if (sound.start > from && sound.start <= now) {
        var info = slides[current].effects[sound.id] || {};
        var file = (deck.sounds || {})[sound.name] || info.sound;
        if (file) { var audio = new Audio(encodeURI(file)); audio.play().catch(function () {}); }
      }
    });
    soundClock = { slide: current, time: now };
  }

  // ---- playing ----

  function pendingMain(slide) {
    return slide.entries.filter(function (e) { return !e.trigger && !e.taken; })[0];
  }

  // The end of the slide's clock: its length, or later when a trigger ran.
  function endOf(slide) {
    var end = slide.length;
    slide.entries.forEach(function (e) {
      if (!e.taken) return;
      e.ids.forEach(function (id) {
        var p = records[id] ? records[id].properties : {};
        var parts = partsOf(slide, id, Math.max(1, p.duration || 0));
        var last = Math.max.apply(null, parts.map(function (x) { return x.offset; }).concat([0]));
        var pass = Math.max(1, p.duration || 0) * (p.autoReverse ? 2 : 1) * (p.repeat || 1);
        end = Math.max(end, e.at + (p.delay || 0) + last + pass);
      });
    });
    return end;
  }

  function tick(time) {
    if (!playing) return;
    var dt = lastFrame ? time - lastFrame : 0;
    lastFrame = time;
    var slide = slides[current];
    var next = pendingMain(slide);
    var stop = next ? next.time : endOf(slide);
    now = Math.min(stop, now + dt);
    if (now >= stop && !next) playing = false;
    draw();
    if (now >= stop && next) playing = false;
    if (playing) requestAnimationFrame(tick);
  }

  function play() {
    if (playing) return;
    playing = true;
    lastFrame = 0;
    requestAnimationFrame(tick);
  }

  function show(index, time, takeAll) {
    current = Math.max(0, Math.min(slides.length - 1, index));
    var slide = slides[current];
    var opening = slide.opens ? slide.entries.filter(function (e) { return !e.trigger; })[0] : null;
    slide.entries.forEach(function (e) {
      e.taken = e === opening || e.time < 0 || (takeAll && e.time <= time);
      e.at = e.time;
    });
    now = time;
    soundClock = { slide: current, time: now };
    document.body.removeAttribute('data-ready');
    fit();
    loadImages(slide, function () {
      if (current !== index && index < slides.length) return;
      draw();
      document.body.setAttribute('data-ready', String(current + 1) + ':' + now);
    });
  }

  // A click, Space, Right or Page Down: the next click entry, else the next slide.
  function advance() {
    var slide = slides[current];
    var next = pendingMain(slide);
    if (next) {
      if (now < next.time) now = next.time;
      next.taken = true;
      next.at = next.time;
      play();
      return;
    }
    var following = shownFrom(current + 1, 1);
    if (following >= 0) open(following);
  }

  // The first slide from `index` on in direction `step` that is not hidden;
  // -1 when there is none.
  function shownFrom(index, step) {
    for (var k = index; k >= 0 && k < slides.length; k += step)
      if (!slides[k].hidden) return k;
    return -1;
  }
  function go(index) { if (index >= 0) open(index); }

  // Shows a slide from its start and plays it up to its first click.
  function open(index) {
    show(index, 0, false);
    play();
  }

  function trigger(x, y) {
    var slide = slides[current];
    var ids = Object.keys(slide.triggers || {});
    for (var i = ids.length - 1; i >= 0; --i) {
      var box = slide.triggers[ids[i]].box;
      if (!box || x < box[0] || x > box[2] || y < box[1] || y > box[3]) continue;
      var entry = slide.entries.filter(function (e) { return e.trigger === ids[i] && !e.taken; })[0];
      if (!entry) {
        // Played through: it starts over.
        slide.entries.forEach(function (e) { if (e.trigger === ids[i]) e.taken = false; });
        entry = slide.entries.filter(function (e) { return e.trigger === ids[i]; })[0];
      }
      if (!entry) return false;
      entry.taken = true;
      entry.at = now;
      play();
      return true;
    }
    return false;
  }

  function updateControls() {
    var where = document.getElementById('where');
    if (where) where.textContent = 'slide ' + slides[current].number + ' / ' + slides.length + ' \u00b7 ' + Math.round(now) + ' ms';
  }

  function readHash() {
    params = {};
    location.hash.replace(/^#/, '').split('&').forEach(function (pair) {
      var kv = pair.split('=');
      if (kv[0]) params[kv[0]] = decodeURIComponent(kv[1] || '');
    });
    bare = params.bare === '1';
    document.body.classList.toggle('bare', bare);
    var number = parseInt(params.slide || '1', 10);
    var index = 0;
    slides.forEach(function (s, k) { if (s.number === number) index = k; });
    if (params.slide && !slides.some(function (s) { return s.number === number; }))
      index = Math.max(0, Math.min(slides.length - 1, number - 1));
    playing = false;
    if (params.t !== undefined) {
      show(index, Math.max(0, parseFloat(params.t) || 0), true);
    } else {
      open(index);
    }
  }

  document.addEventListener('keydown', function (event) {
    switch (event.key) {
      case ' ': case 'ArrowRight': case 'PageDown': case 'Enter': advance(); break;
      case 'ArrowLeft': case 'PageUp':
        go(shownFrom(current - 1, -1));
        break;
      case 'Home': go(shownFrom(0, 1)); break;
      case 'End': go(shownFrom(slides.length - 1, -1)); break;
      default: return;
    }
    event.preventDefault();
  });
  canvas.addEventListener('click', function (event) {
    var r = canvas.getBoundingClientRect();
    var slide = slides[current];
    var x = (event.clientX - r.left) / r.width * slide.width;
    var y = (event.clientY - r.top) / r.height * slide.height;
    if (!trigger(x, y)) advance();
  });
  var prev = document.getElementById('prev'), next = document.getElementById('next');
  if (prev) prev.addEventListener('click', function () { go(shownFrom(current - 1, -1)); });
  if (next) next.addEventListener('click', advance);
  window.addEventListener('hashchange', readHash);
  window.addEventListener('resize', function () { fit(); draw(); });
  if (!slides.length) return;
  readHash();
})();
