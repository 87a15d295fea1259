#include <emscripten/emscripten.h>

#include "app/shardfall_app.h"
#include "app/web_page_hooks.h"

// Tells the page that the game has ended, once its last write-back is done.
EM_JS(void, announceGameEnd, (int result), {
    shardfallSaves.sync();
    if (Module['onGameEnd']) Module['onGameEnd'](result);
});

// The browser build's entry: the same program, watched by the page's hooks.
// Its first wait already hands main's return back to the page, which is
// why the end of the game is announced here, once the game has really
// ended; the page then stays as it is.
int main(int argc, char** argv) {
    const int result = runShardfall(argc, argv, webPageHooks());
    announceGameEnd(result);
    return result;
}
