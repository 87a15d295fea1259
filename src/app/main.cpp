#include "app/shardfall_app.h"

int main(int argc, char** argv) { return runShardfall(argc, argv); }
