// The page around the game: checks that the browser can run it, shows a
// loading bar while the data downloads, then hands the canvas to the game.
// Its one global besides the Module the game reads is shardfallPage.
var shardfallPage = (function () {
  var cover = document.getElementById('cover');
  var fill = document.getElementById('fill');
  var note = document.getElementById('note');
  var canvas = document.getElementById('canvas');

  function fail(text) {
    cover.classList.add('failed');
    cover.hidden = false;
    note.textContent = text;
  }

  function missing() {
    if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function')
      return 'Shardfall needs WebAssembly, which this browser does not offer (or has turned off).';
    var probe = document.createElement('canvas');
    if (!probe.getContext('webgl') && !probe.getContext('experimental-webgl'))
      return 'Shardfall draws with WebGL, which this browser does not offer (or has turned off).';
    return null;
  }

  // The file packager reports "Downloading data... (loaded/total)".
  function setStatus(text) {
    var m = /\((\d+(?:\.\d+)?)\/(\d+(?:\.\d+)?)\)/.exec(text || '');
    if (m && Number(m[2]) > 0) {
      var share = Number(m[1]) / Number(m[2]);
      fill.style.width = Math.round(share * 100) + '%';
      note.textContent = 'Loading the game\u2026 ' + Math.round(Number(m[2]) / 1048576) + ' MB';
    }
  }

  // A test may ask for a run of its own before the page loads (its command
  // line and files to lay out first); an ordinary visit never does.
  var run = window.shardfallTestRun || {};

  var problem = missing();
  if (problem) {
    fail(problem);
    return { failed: problem };
  }

  window.Module = {
    canvas: canvas,
    arguments: run.arguments || [],
    preRun: [function () {
      var files = run.files || {};
      Object.keys(files).forEach(function (path) {
        FS.mkdirTree(path.replace(/\/[^/]*$/, '') || '/');
        FS.writeFile(path, files[path]);
      });
    }],
    print: function (text) { console.log(text); },
    printErr: function (text) { console.warn(text); },
    setStatus: setStatus,
    onRuntimeInitialized: function () {
      fill.style.width = '100%';
      note.textContent = 'Starting\u2026';
      // The game starts now and shows its title at its first wait.
      setTimeout(function () {
        cover.hidden = true;
        canvas.focus();
      }, 0);
    },
    onAbort: function (what) {
      fail('Shardfall stopped: ' + what + '. Reloading the page starts it again.');
    },
    onGameEnd: function (code) {
      window.shardfallPage.ended = code;
      fail('Thanks for playing. Reload the page to play again.');
    },
  };
  canvas.addEventListener('webglcontextlost', function (event) {
    event.preventDefault();
    fail('The browser took the game\u2019s drawing away (WebGL context lost). Reload the page to go on.');
  });

  // The data's loader first, then the game; in that order.
  ['shardfall-data.js', 'shardfall.js'].forEach(function (src) {
    var script = document.createElement('script');
    script.src = src;
    script.async = false;
    script.onerror = function () { fail('Shardfall could not load ' + src + '.'); };
    document.body.appendChild(script);
  });
  return { started: performance.now() };
})();
