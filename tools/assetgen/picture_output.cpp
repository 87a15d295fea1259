#include "picture_output.h"

#include "image_files.h"
#include "paint.h"

namespace {

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    return lowerCase(dot == std::string::npos ? name : name.substr(0, dot));
}

// A path as the manifest writes it: lower case, forward slashes.
std::string manifestPath(const std::string& gamePath) {
    std::string path = lowerCase(gamePath);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

}  // namespace

std::string writePicture(AssetTree& tree, const std::string& gamePath, const Image& image, PictureFormat format,
                  const std::string& sheetName, bool onSheet) {
    std::string details = std::to_string(image.width) + "x" + std::to_string(image.frameHeight()) +
                          " frames=" + std::to_string(image.frames);
    switch (format) {
        case PictureFormat::Tga32:
            tree.writeFile(gamePath, encodeTga32(withBledColour(image)));
            details += " blend=alpha";
            break;
        case PictureFormat::Tga24:
            tree.writeFile(gamePath, encodeTga24(image));
            details += " blend=none";
            break;
        case PictureFormat::Tga24Additive:
            tree.writeFile(gamePath, encodeTga24(image));
            details += " blend=add";
            break;
        case PictureFormat::Tga24Keyed:
            tree.writeFile(gamePath, encodeTga24(image));
            details += " blend=key";
            break;
        case PictureFormat::Tga24AlphaImage:
        case PictureFormat::JpegAlphaImage: {
            // A few pixels of the edge colour under the soft edges, then a
            // dark backdrop, so a picture drawn without its alpha still
            // looks deliberate.
            const Image bled = withBledColour(image, 3, 0x1A0C2A);
            if (format == PictureFormat::Tga24AlphaImage)
                tree.writeFile(gamePath, encodeTga24(bled));
            else
                tree.writeFile(gamePath, encodeJpeg(bled, 92));
            const std::string alphaPath = alphaImageName(gamePath);
            tree.writeFile(alphaPath, encodeTgaAlpha(image));
            tree.describe("alpha", alphaPath, "of " + manifestPath(gamePath));
            details += " alpha=" + manifestPath(alphaPath) + " blend=alpha";
            break;
        }
    }
    tree.describe("picture", gamePath, details);
    if (onSheet) tree.addToContactSheet(sheetName.empty() ? fileNameOf(gamePath) : sheetName, image);
    return details;
}
