// The default settings beside the program. game.ini is written only when the
// game has not written its own yet.

#include "generators.h"

void generateSettings(AssetTree& tree) {
    tree.writeTextIfMissing("game.ini",
                            "[main]\r\n"
                            "name=Shardfall\r\n"
                            "x=-1\r\n"
                            "y=-1\r\n"
                            "xs=800\r\n"
                            "ys=600\r\n"
                            "FullScreen=0\r\n"
                            "Color32=0\r\n"
                            "NOTCustom=0\r\n"
                            "music=0.700000\r\n"
                            "sound=0.800000\r\n");
}
