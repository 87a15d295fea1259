// The page's view of the game (web_page_hooks.cpp), as Module.shardfall:
// the current screen, the score, a swap the board offers, when the title
// was first shown, and the frame times. Besides what the game measures
// itself (its logic steps and its compose), each stretch of the game's own
// work between two of its waits that drew a frame is timed here: such a
// stretch is a whole frame, events, steps, compose and present, as the
// browser sees it.

var shardfallHooks = {
  slices: { count: 0, ms: 0, maxMs: 0 },
  cells: 0,

  timeSlices: function () {
    if (typeof Asyncify === 'undefined') return;
    var rewind = Asyncify.doRewind;
    Asyncify.doRewind = function (data) {
      var frames = _shardfall_times(0);
      var start = performance.now();
      try {
        return rewind(data);
      } finally {
        var ms = performance.now() - start;
        var s = shardfallHooks.slices;
        if (_shardfall_times(0) > frames) {
          s.count++;
          s.ms += ms;
          if (ms > s.maxMs) s.maxMs = ms;
        }
      }
    };
  },
};

Module['shardfall'] = {
  screen: function () {
    return UTF8ToString(_shardfall_screen());
  },
  score: function () {
    return _shardfall_score();
  },
  // {from: [x, y], to: [x, y]} in picture pixels, or null.
  swap: function () {
    if (!shardfallHooks.cells) shardfallHooks.cells = _malloc(16);
    var p = shardfallHooks.cells;
    if (!_shardfall_swap(p, p + 4, p + 8, p + 12)) return null;
    var at = p >> 2;
    return { from: [HEAP32[at], HEAP32[at + 1]], to: [HEAP32[at + 2], HEAP32[at + 3]] };
  },
  // Milliseconds since the page began loading; -1 before the title.
  titleShownMs: function () {
    return _shardfall_title_ms();
  },
  resetTimes: function () {
    _shardfall_times_reset();
    shardfallHooks.slices = { count: 0, ms: 0, maxMs: 0 };
  },
  times: function () {
    var s = shardfallHooks.slices;
    return {
      frames: _shardfall_times(0),
      composeMs: _shardfall_times(1),
      composeMaxMs: _shardfall_times(2),
      updateMs: _shardfall_times(3),
      slices: s.count,
      sliceMs: s.ms,
      sliceMaxMs: s.maxMs,
    };
  },
  // The longest wait between two of the sound's steps since last asked.
  longestSoundStepWaitMs: function () {
    return _shardfall_longest_step_wait_ms();
  },
  // Every file in the player's folder as "path size mtime", in order.
  savedFiles: function () {
    var out = [];
    var walk = function (dir) {
      FS.readdir(dir).forEach(function (name) {
        if (name === '.' || name === '..') return;
        var path = dir + '/' + name;
        var st = FS.stat(path);
        if (FS.isDir(st.mode)) walk(path);
        else out.push(path.slice(shardfallSaves.folder.length + 1) + ' ' + st.size + ' ' + st.mtime.getTime());
      });
    };
    walk(shardfallSaves.folder);
    return out.sort();
  },
  savesPending: function () {
    return shardfallSaves.pending();
  },
};

Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(shardfallHooks.timeSlices);
