// The language's own files in the page, downloaded apart from the shared
// data so that a visitor fetches only the language the game will speak
// (scripts/web-package-data packs them). The choice is the game's own
// (config/language_choice.h): --lang, else the choice the options panel
// kept in the player's game.ini, else the browser's first language, which
// is also what the game finds in LANG. English needs no pack (the shared
// files are English), nor does a language the site has none for: the game
// then falls back to English file by file, as it does natively.

var shardfallLanguage = {
  dataFolder: '/usr/share/games/shardfall/data/lang/',
  // The command line as the page gave it, before the runtime takes it.
  arguments: (Module['arguments'] || []).slice(),
  chosen: '',

  // "de_DE.UTF-8", "pt-BR", "de" -> "de", "pt_BR"; "" for none.
  codeOf: function (locale) {
    var name = String(locale || '').split(/[.@]/)[0];
    var language = name.split(/[_-]/)[0].toLowerCase();
    if (language === 'pt') return 'pt_BR';  // our one Portuguese
    return /^[a-z]{2,3}$/.test(language) ? language : '';
  },

  // The options panel's choice in game.ini's [main], or "" (the panel's
  // "Automatic", or no game.ini yet).
  savedChoice: function () {
    try {
      var text = FS.readFile(shardfallSaves.folder + '/game.ini', { encoding: 'utf8' });
      var main = /(?:^|\n)\s*\[main\][^\n]*\n([^]*?)(?:\n\s*\[|$)/i.exec(text);
      var line = main && /(?:^|\n)\s*language\s*=\s*([^\r\n]*)/i.exec(main[1]);
      return line ? line[1].trim() : '';
    } catch (e) {
      return '';
    }
  },

  choose: function () {
    var args = shardfallLanguage.arguments;
    for (var i = 0; i + 1 < args.length; i++) {
      if (args[i] === '--lang') return shardfallLanguage.codeOf(args[i + 1]);
    }
    var saved = shardfallLanguage.savedChoice();
    if (saved) return shardfallLanguage.codeOf(saved);
    var browser = (typeof navigator === 'object' && navigator.languages && navigator.languages[0]) || 'C';
    return shardfallLanguage.codeOf(browser);
  },

  fetchFile: function (name, kind) {
    return fetch(name).then(function (response) {
      if (!response.ok) throw new Error(name + ': ' + response.status + ' ' + response.statusText);
      return kind === 'json' ? response.json() : response.arrayBuffer();
    });
  },

  // Lays the language's files out under data/lang/CODE/.
  install: function (code, index, buffer) {
    var bytes = new Uint8Array(buffer);
    index.files.forEach(function (file) {
      if (!(file.start >= 0 && file.end >= file.start && file.end <= bytes.length)) {
        throw new Error('shardfall-lang-' + code + '.json does not match its data');
      }
      var path = shardfallLanguage.dataFolder + code + '/' + file.path;
      FS.mkdirTree(path.replace(/\/[^/]*$/, ''));
      FS.writeFile(path, bytes.subarray(file.start, file.end));
    });
  },

  prepare: function () {
    addRunDependency('shardfall-language');
    var done = function () {
      removeRunDependency('shardfall-language');
    };
    shardfallSaves.afterRead(function () {
      var code = shardfallLanguage.choose();
      var fetchFile = shardfallLanguage.fetchFile;
      fetchFile('shardfall-languages.json', 'json')
        .then(function (site) {
          // The data tree spells its folders in lower case ("pt_br").
          var packed = (site.languages || []).filter(function (name) {
            return code && name.toLowerCase() === code.toLowerCase();
          })[0];
          if (!packed) return null;
          shardfallLanguage.chosen = packed;
          var base = 'shardfall-lang-' + packed;
          return Promise.all([fetchFile(base + '.json', 'json'), fetchFile(base + '.data', 'data')]).then(
            function (pack) {
              shardfallLanguage.install(packed, pack[0], pack[1]);
            });
        })
        .catch(function (error) {
          shardfallLanguage.chosen = '';
          err('shardfall: the texts of the language "' + code + '" could not be loaded (' + error +
              '); the game speaks English');
        })
        .then(done);
    });
  },
};

Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(shardfallLanguage.prepare);
Module['shardfallLanguage'] = shardfallLanguage;
