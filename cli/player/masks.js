// The mask filters of the slideanim web player: each filter family's mask at
// a progress, as polygons filled even-odd (or ellipses) in slide units on the
// layer's box, built as the frame renderer's filters build them.
window.slideanimMasks = (function () {
  'use strict';

  var PI = Math.PI;

  // units, built on the layer's box as the filters of the frame renderer do.

  function rect(l, t, r, b) { return [[l, t], [r, t], [r, b], [l, b]]; }
  function lerpShape(a, b, p) {
    return a.map(function (poly, i) {
      var q = b[i] || poly;
      return poly.map(function (pt, k) {
        var e = q[k] || pt;
        return [pt[0] + (e[0] - pt[0]) * p, pt[1] + (e[1] - pt[1]) * p];
      });
    });
  }
  function widen(box, dx, dy) { return [box[0] - dx, box[1] - dy, box[2] + dx, box[3] + dy]; }
  function widenSmall(box, otherwise) {
    var w = Math.abs(box[2] - box[0]), h = Math.abs(box[3] - box[1]);
    return widen(box, w < 60 ? 30 : otherwise, h < 60 ? 30 : otherwise);
  }
  function cross(l, t, r, b, dx, dy) {
    return [[l, t + dy], [l + dx, t + dy], [l + dx, t], [r - dx, t], [r - dx, t + dy], [r, t + dy],
            [r, b - dy], [r - dx, b - dy], [r - dx, b], [l + dx, b], [l + dx, b - dy], [l, b - dy]];
  }
  function pie(a1, a2, cx, cy, radius) {
    var poly = [[cx, cy]];
    var step = Math.min(0.1, 10 / radius);
    for (var a = a1; a <= a2; a += step) poly.push([cx + radius * Math.cos(a), cy + radius * Math.sin(a)]);
    poly.push([cx + radius * Math.cos(a2), cy + radius * Math.sin(a2)]);
    return poly;
  }
  function ellipsePoly(cx, cy, rx, ry) {
    var poly = [];
    for (var k = 0; k < 96; ++k) {
      var a = k / 96 * 2 * PI;
      poly.push([cx + rx * Math.cos(a), cy + ry * Math.sin(a)]);
    }
    return poly;
  }
  // A fixed pseudo-random order of n pieces (the renderer's order is random
  // by design; only the revealed share matters).
  function order(n) {
    var list = [], seed = 12345;
    for (var i = 0; i < n; ++i) list.push(i);
    for (var j = n - 1; j > 0; --j) {
      seed = (seed * 1103515245 + 12345) & 0x7fffffff;
      var k = seed % (j + 1), tmp = list[j];
      list[j] = list[k]; list[k] = tmp;
    }
    return list;
  }

  // Morphing filters: the collapsed and full shapes, and whether the inward
  // variant is played.
  function morphShapes(type, direction, box) {
    var a, cx, cy, w, h;
    switch (type) {
      case 33: // box
        a = widenSmall(box, 10);
        cx = Math.trunc((a[0] + a[2]) / 2); cy = Math.trunc((a[1] + a[3]) / 2);
        return { collapsed: [rect(cx - 1, cy - 1, cx + 1, cy + 1)], full: [rect(a[0], a[1], a[2], a[3])],
                 frame: a, inward: direction === 14 };
      case 34: // diamond
        a = box; w = a[2] - a[0]; h = a[3] - a[1];
        cx = Math.trunc((a[0] + a[2]) / 2); cy = Math.trunc((a[1] + a[3]) / 2);
        var hw = w / 2, hh = h / 2;
        var da = Math.trunc(hh / (hh / hw) + hw + 0.5), dc = Math.trunc((hh / hw) * hw + hh + 0.5);
        return { collapsed: [[[cx - 1, cy], [cx, cy - 1], [cx + 1, cy], [cx, cy + 1]]],
                 full: [[[cx - da, cy], [cx, cy - dc], [cx + da, cy], [cx, cy + dc]]],
                 frame: [cx - da, cy - dc, cx + da, cy + dc], inward: direction === 14 };
      case 35: // circle
        a = box;
        cx = Math.trunc((a[0] + a[2]) / 2); cy = Math.trunc((a[1] + a[3]) / 2);
        var rw = Math.trunc((a[2] - a[0]) / 2), rh = Math.trunc((a[3] - a[1]) / 2);
        var f = Math.sqrt(rw * rw + rh * rh) / (Math.sqrt(2 * rw * rw + 2 * rh * rh) / 2);
        return { collapsed: [ellipsePoly(cx, cy, 1, 1)],
                 full: [ellipsePoly(cx, cy, Math.trunc(rw * f + 0.5), Math.trunc(rh * f + 0.5))],
                 frame: [cx - rw, cy - rh, cx + rw, cy + rh], inward: direction === 14 };
      case 36: // split
        a = widenSmall(box, 10); w = a[2] - a[0]; h = a[3] - a[1];
        var bar;
        if (direction === 10 || direction === 12) {
          var my = a[1] + h / 2;
          bar = rect(a[0] - w, Math.trunc(my - 0.5), a[2] + w, Math.trunc(my + 1.5));
        } else {
          var mx = a[0] + w / 2;
          bar = rect(mx - 1, a[1] - h, Math.trunc(mx + 1.5), a[3] + h);
        }
        return { collapsed: [bar], full: [rect(a[0], a[1], a[2], a[3])], frame: a,
                 inward: direction === 10 || direction === 11 };
      case 37: // plus
        a = box; w = a[2] - a[0]; h = a[3] - a[1];
        var dx = Math.trunc(w / 2 + 0.5) - 1, dy = Math.trunc(h / 2 + 0.5) - 1;
        return { collapsed: [cross(a[0], a[1], a[2], a[3], dx, dy)],
                 full: [cross(a[0], a[1], a[2], a[3], 1, 1)], frame: a, inward: direction === 14 };
      case 38: // wipe
        a = widenSmall(box, 10);
        var c = a.slice();
        if (direction === 0) c[2] = c[0] + 1;
        else if (direction === 1) c[0] = c[2] - 1;
        else if (direction === 2) c[1] = c[3] - 1;
        else if (direction === 3) c[3] = c[1] + 1;
        return { collapsed: [rect(c[0], c[1], c[2], c[3])], full: [rect(a[0], a[1], a[2], a[3])],
                 frame: a, inward: false };
      case 40: // strips
        return null;
    }
    return null;
  }

  function strips(direction, presetClass, box, full) {
    var a = widen(box, 20, 20);
    var d = Math.max(a[2] - a[0], a[3] - a[1]);
    var n = 10, step = d / 10;
    if (d / 10 < 1) { n = Math.trunc(d); step = 1; }
    var q = direction;
    if (presetClass === 1) q = { 4: 7, 7: 4, 5: 6, 6: 5 }[q] || q;
    var ox = 0, oy = 0, sign = 1;
    if (q === 4) { ox = a[2]; oy = a[3]; sign = -1; }
    else if (q === 5) { ox = a[0]; oy = a[3]; sign = -1; }
    else if (q === 6) { ox = a[2]; oy = a[1]; }
    else if (q === 7) { ox = a[0]; oy = a[1]; }
    var polys = [];
    for (var i = 0; i < n; ++i) {
      var x1, x2, y1 = oy + sign * i * step, y2 = oy + sign * (i + 1) * step;
      if (q === 4 || q === 6) { x1 = full ? a[0] - d + i * step : ox + i * step; x2 = full ? ox + i * step : x1 + 1; }
      else { x1 = ox - i * step; x2 = full ? a[2] + d - i * step : x1 + 1; }
      polys.push(rect(Math.round(x1), Math.round(y1), Math.round(x2), Math.round(y2)));
    }
    return polys;
  }

  function blinds(direction, box, full) {
    var a = widen(box, 20, 20);
    var horizontal = direction === 8;
    var extent = horizontal ? a[3] - a[1] : a[2] - a[0];
    var n = Math.trunc(extent / 20), step = 20;
    if (n > 10) { n = 10; step = extent / 10; }
    var polys = [];
    for (var i = 0; i < n; ++i) {
      if (horizontal) polys.push(rect(a[0], a[1] + i * step, a[2], a[1] + (full ? (i + 1) * step : i * step + 1)));
      else polys.push(rect(a[0] + i * step, a[1], a[0] + (full ? (i + 1) * step : i * step + 1), a[3]));
    }
    return polys;
  }

  function checkerboard(direction, box, full) {
    var a = widen(box, 5, 5);
    var w = a[2] - a[0], h = a[3] - a[1];
    var rows = Math.max(1, Math.min(Math.trunc(h / 20), 10));
    var columns = Math.max(1, Math.min(Math.trunc(w / 20), 7));
    var ch = h / rows, cw = w / columns, polys = [];
    if (direction === 8) {
      for (var j = 0; j <= rows; ++j) {
        var x0 = a[0] - (j % 2 ? cw / 2 : 0), top = a[1] + j * ch, bottom = a[1] + (j + 1) * ch;
        for (var k = 0; k <= columns; ++k) {
          var left = x0 + k * cw;
          polys.push(rect(left, top, full ? x0 + (k + 1) * cw : left + 1, bottom));
        }
      }
    } else {
      for (var i = 0; i <= columns; ++i) {
        var y0 = a[1] - (i % 2 ? ch / 2 : 0), l = a[0] + i * cw, r = a[0] + (i + 1) * cw;
        for (var m = 0; m <= rows; ++m) {
          var t = y0 + m * ch;
          polys.push(rect(l, t, r, full ? y0 + (m + 1) * ch : t + 1));
        }
      }
    }
    return polys;
  }

  // The mask of filter behaviour `b` at progress p on a layer's box, as
  // polygons to fill even-odd; null for no mask.
  function filterMask(b, p, box) {
    var type = b.type, direction = b.direction, presetClass = b.presetClass;
    var exit = presetClass === 1;
    var morph = morphShapes(type, direction, box);
    if (morph) {
      var frame = [rect(morph.frame[0], morph.frame[1], morph.frame[2], morph.frame[3])];
      var start, end;
      // An inward entrance goes from nothing to the frame less the collapsed
      // shape; exits run the other way.
      if (!exit) {
        if (morph.inward) { start = morph.full.concat(frame); end = morph.collapsed.concat(frame); }
        else { start = morph.collapsed; end = morph.full; }
      } else if (presetClass === 1) {
        if (morph.inward) { start = morph.full; end = morph.collapsed; }
        else { start = morph.collapsed.concat(frame); end = morph.full.concat(frame); }
      } else {
        return null;
      }
      return lerpShape(start, end, p);
    }
    var thin, full;
    switch (type) {
      case 32:
        thin = blinds(direction, box, false); full = blinds(direction, box, true);
        return exit ? lerpShape(full, thin, p) : lerpShape(thin, full, p);
      case 39:
        thin = checkerboard(direction, box, false); full = checkerboard(direction, box, true);
        return exit ? lerpShape(full, thin, p) : lerpShape(thin, full, p);
      case 40:
        thin = strips(direction, presetClass, box, false); full = strips(direction, presetClass, box, true);
        return exit ? lerpShape(full, thin, p) : lerpShape(thin, full, p);
      case 41: case 42: {
        var a = widenSmall(box, 0), polys = [], count, pieces;
        if (type === 41) {
          count = 400;
          pieces = order(count).slice(0, Math.floor(p * count)).map(function (k) {
            var r = Math.floor(k / 20), c = k % 20, cw = (a[2] - a[0]) / 20, ch = (a[3] - a[1]) / 20;
            return rect(a[0] + c * cw, a[1] + r * ch, a[0] + (c + 1) * cw, a[1] + (r + 1) * ch);
          });
        } else {
          var horizontal = direction === 8;
          var extent = horizontal ? a[3] - a[1] : a[2] - a[0];
          count = Math.max(1, Math.min(100, Math.floor(extent)));
          var size = extent / count;
          pieces = order(count).slice(0, Math.floor(p * count)).map(function (k) {
            return horizontal ? rect(a[0], a[1] + k * size, a[2], a[1] + (k + 1) * size)
                              : rect(a[0] + k * size, a[1], a[0] + (k + 1) * size, a[3]);
          });
        }
        polys = pieces;
        if (exit) polys = polys.concat([rect(a[0], a[1], a[2], a[3])]);
        return polys.length ? polys : [[[0, 0], [0, 0], [0, 0]]];
      }
      case 43: case 44: {
        var w = box[2] - box[0], h = box[3] - box[1];
        var radius = Math.sqrt((h * h + w * w) / 4) + 5;
        var cx = (box[0] + box[2]) / 2, cy = (box[1] + box[3]) / 2;
        var shapes = [];
        if (type === 43) {
          var half = 3.12413936106985;
          shapes.push(pie(-PI / 2 - p * half, p * half - PI / 2, cx, cy, radius));
        } else {
          var spokes = b.spokes || 1;
          for (var i = 0; i < spokes; ++i) {
            var offset = (PI / spokes) * 2 * i;
            shapes.push(pie(-PI / 2 - offset, p * (279.6017461694916 / (spokes * 90)) * 2 - PI / 2 - offset, cx, cy, radius));
          }
        }
        if (exit) shapes.push(ellipsePoly(cx, cy, radius, radius));
        return shapes;
      }
    }
    return null;
  }

  return { filterMask: filterMask, rect: rect, widenSmall: widenSmall };
})();
