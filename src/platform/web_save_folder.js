// The browser's file system, laid out the way an installed game finds it:
// the program at /usr/games/shardfall (so /proc/self/exe leads there), the
// data the page downloads at /usr/share/games/shardfall, and the player's
// folder under the home folder, where the game writes everything it writes
// (game.ini, profiles.ini, gerr.log, the players' files). That folder lives
// on the site's IndexedDB: it is read back before the game starts, and every
// change to it (a file written and closed, renamed, removed, a new folder)
// is followed by a sync, and so is the game's end (app/web_main.cpp), so a
// reload or a later visit finds it as it was.
// Nothing is written before the first read has finished: the game starts
// only then.

var shardfallSaves = {
  folder: '/home/web_user/.local/share/shardfall',
  syncing: false,
  again: false,
  failed: null,
  read: false,
  readers: [],

  // Calls `then` once the folder has been read back (at once if it has).
  afterRead: function (then) {
    if (shardfallSaves.read) then();
    else shardfallSaves.readers.push(then);
  },

  // True while a change is still on its way to IndexedDB.
  pending: function () {
    return shardfallSaves.syncing || shardfallSaves.again;
  },

  sync: function () {
    if (shardfallSaves.syncing) {
      // One sync at a time; the one running may have missed this change.
      shardfallSaves.again = true;
      return;
    }
    shardfallSaves.syncing = true;
    FS.syncfs(false, function (error) {
      shardfallSaves.syncing = false;
      if (error) {
        shardfallSaves.failed = String(error);
        err('shardfall: the saved games could not be kept: ' + error);
      }
      if (shardfallSaves.again) {
        shardfallSaves.again = false;
        shardfallSaves.sync();
      }
    });
  },

  // The game names its files relative to its working folder, which is the
  // player's folder: the file system's calls see them as given.
  inFolder: function (path) {
    if (typeof path !== 'string') return false;
    if (path.charAt(0) !== '/') path = FS.cwd().replace(/\/$/, '') + '/' + path;
    var folder = shardfallSaves.folder;
    return path === folder || path.indexOf(folder + '/') === 0;
  },

  // Wraps the file system's own operations: whatever changes the folder
  // through them asks for a sync once it has.
  watch: function () {
    var after = function (name, changes) {
      var original = FS[name];
      FS[name] = function () {
        var result = original.apply(FS, arguments);
        if (changes.apply(null, arguments)) shardfallSaves.sync();
        return result;
      };
    };
    var inFolder = shardfallSaves.inFolder;
    after('close', function (stream) {
      return (stream.flags & 3) !== 0 && inFolder(stream.path);
    });
    after('rename', function (from, to) {
      return inFolder(from) || inFolder(to);
    });
    after('unlink', inFolder);
    after('mkdir', inFolder);
    after('rmdir', inFolder);
  },

  prepare: function () {
    var folder = shardfallSaves.folder;
    FS.mkdirTree('/usr/games');
    FS.writeFile('/usr/games/shardfall', '');
    FS.symlink('/usr/games/shardfall', '/proc/self/exe');
    FS.mkdirTree(folder);
    FS.mount(IDBFS, {}, folder);
    addRunDependency('shardfall-saves');
    FS.syncfs(true, function (error) {
      if (error) {
        shardfallSaves.failed = String(error);
        err('shardfall: the saved games could not be read: ' + error);
      }
      shardfallSaves.watch();
      shardfallSaves.read = true;
      shardfallSaves.readers.splice(0).forEach(function (then) { then(); });
      removeRunDependency('shardfall-saves');
    });
  },
};

Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(shardfallSaves.prepare);
Module['shardfallSaves'] = shardfallSaves;

