#include "app/shardfall_app.h"
#include "app/web_page_hooks.h"

// The browser build's entry: the same program, watched by the page's hooks.
int main(int argc, char** argv) { return runShardfall(argc, argv, webPageHooks()); }
