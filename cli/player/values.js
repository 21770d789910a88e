// The value lists, formulas and motion paths of the slideanim web player: what
// a property animation's value or a motion's point is at a progress.
window.slideanimValues = (function () {
  'use strict';

  var PI = Math.PI;
  var FUNCTIONS = [Math.sin, Math.cos, Math.tan, Math.min, Math.max, Math.abs];
  // Functions and numbers of each formula shape.
  var FORMULA_SIZES = { 0: [1, 1], 1: [1, 1], 2: [2, 5], 3: [2, 5] };

  // The value list of a property animation: entries [{t, base, formula}]
  // with times 0..1. Between two entries the value runs from one base to the
  // next; the formula of the entry last reached turns it ($, as a fraction of
  // the formula's scale) into the result. A formula entry's own base is the
  // shape's position.
  function valueList(values, origin) {
    var list = [];
    for (var i = 0; i < values.length;) {
      var time = values[i] / 100;
      if (values[i + 1] === 'for') {
        var shape = values[i + 2], scale = values[i + 3];
        var sizes = FORMULA_SIZES[shape] || [0, 0];
        var fns = values.slice(i + 4, i + 4 + sizes[0]).map(function (k) { return FUNCTIONS[k] || Math.sin; });
        var nums = values.slice(i + 4 + sizes[0], i + 4 + sizes[0] + sizes[1]);
        list.push({ t: time, base: origin, formula: formula(shape, scale, fns, nums, origin) });
        i += 4 + sizes[0] + sizes[1];
      } else {
        list.push({ t: time, base: values[i + 1], formula: null });
        i += 2;
      }
    }
    return list;
  }

  // The four formula shapes, of $ (a fraction) with the shape's own position
  // (`origin`, in the units the scale gives) for #ppt_x / #ppt_y.
  function formula(shape, scale, fns, nums, origin) {
    var base = scale ? origin / scale : 0;
    var f;
    switch (shape) {
      case 0: f = function (d) { return d * fns[0](nums[0] * d); }; break;
      case 1: f = function (d) { return base - fns[0](PI * d) / nums[0]; }; break;
      case 2:
      case 3: f = function (d) {
        var a = -nums[0] * (nums[1] - d), k = nums[4] - d;
        var turn = shape === 2 ? fns[0](a) * -base - fns[1](a) * base : fns[0](a) * -base + fns[1](a) * base;
        return base + turn * k;
      }; break;
      default: f = function () { return base; };
    }
    return function (value) { return scale * f(scale ? value / scale : 0); };
  }

  function listValue(list, p) {
    if (!list.length) return null;
    var previous = list[0], next = null;
    for (var i = 1; i < list.length; ++i) {
      if (p < list[i].t) { next = list[i]; break; }
      previous = list[i];
    }
    var value = previous.base;
    if (next && next.t !== previous.t)
      value = (p - previous.t) * (next.base - previous.base) / (next.t - previous.t) + previous.base;
    return previous.formula ? previous.formula(value) : value;
  }

  // A motion path (M, L, C, Z; absolute or relative) flattened to points and
  // walked by distance.
  function parsePath(text, W, H) {
    var tokens = String(text).match(/[MLCZmlcz]|-?[0-9]*\.?[0-9]+(?:[eE][-+]?[0-9]+)?/g) || [];
    var points = [], x = 0, y = 0, sx = 0, sy = 0, command = 'M', i = 0;
    function num() { return parseFloat(tokens[i++]) || 0; }
    while (i < tokens.length) {
      if (/[A-Za-z]/.test(tokens[i])) command = tokens[i++];
      var rel = command === command.toLowerCase();
      var c = command.toUpperCase();
      if (c === 'Z') { x = sx; y = sy; points.push([x, y]); continue; }
      if (c === 'M' || c === 'L') {
        var nx = num(), ny = num();
        x = rel ? x + nx : nx; y = rel ? y + ny : ny;
        if (c === 'M') { sx = x; sy = y; }
        points.push([x, y]);
        if (c === 'M') command = rel ? 'l' : 'L';
      } else if (c === 'C') {
        var c1x = num(), c1y = num(), c2x = num(), c2y = num(), ex = num(), ey = num();
        if (rel) { c1x += x; c1y += y; c2x += x; c2y += y; ex += x; ey += y; }
        for (var k = 1; k <= 24; ++k) {
          var t = k / 24, m = 1 - t;
          points.push([m * m * m * x + 3 * m * m * t * c1x + 3 * m * t * t * c2x + t * t * t * ex,
                       m * m * m * y + 3 * m * m * t * c1y + 3 * m * t * t * c2y + t * t * t * ey]);
        }
        x = ex; y = ey;
      } else {
        i += 1;
      }
    }
    if (!points.length) points.push([0, 0]);
    // Walked in slide units: a fraction across is longer than one down.
    points = points.map(function (pt) { return [pt[0] * W, pt[1] * H]; });
    var lengths = [0];
    for (var j = 1; j < points.length; ++j)
      lengths.push(lengths[j - 1] + Math.hypot(points[j][0] - points[j - 1][0], points[j][1] - points[j - 1][1]));
    return { points: points, lengths: lengths };
  }
  var pathCache = {};
  function pathPoint(text, p, W, H) {
    var key = W + 'x' + H + ':' + text;
    var path = pathCache[key] || (pathCache[key] = parsePath(text, W, H));
    var total = path.lengths[path.lengths.length - 1];
    var d = total * p;
    for (var i = 1; i < path.points.length; ++i) {
      if (d <= path.lengths[i]) {
        var a = path.points[i - 1], b = path.points[i];
        var seg = path.lengths[i] - path.lengths[i - 1];
        var f = seg > 0 ? (d - path.lengths[i - 1]) / seg : 0;
        return [a[0] + (b[0] - a[0]) * f, a[1] + (b[1] - a[1]) * f];
      }
    }
    return path.points[path.points.length - 1];
  }

  return { listValue: listValue, pathPoint: pathPoint, valueList: valueList };
})();
