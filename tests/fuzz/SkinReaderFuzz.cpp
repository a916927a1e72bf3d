// Fuzz target: the skin reader over any blob; for a skin that loads, every part it holds is planned
// by the nine-grid rule and drawn on plain pixels at a few sizes, so that no piece reads outside the
// atlas.
#include "skin/container/NineGrid.h"
#include "skin/container/PartPicture.h"
#include "skin/container/SkinContainer.h"

#include <cstdint>

using namespace qivyun::skin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    SkinContainer skin;
    const SkinResult result = skin.Read(data, size);
    if (result != SkinResult::Loaded) {
        if (!skin.Atlas().Empty()) __builtin_trap();  // a failed first read leaves nothing behind
        return 0;
    }
    const AtlasView& atlas = skin.Atlas();
    if (skin.Tables().counts != TableCapacity || atlas.width <= 0 || atlas.height <= 0 ||
        atlas.pixelBytes != atlas.stride * size_t(atlas.height))
        __builtin_trap();
    const GridRect sizes[] = {{0, 0, 1, 1}, {3, 2, 7, 5}, {0, 0, 40, 23}};
    for (size_t index = 0; index < skin.Tables().parts.size(); ++index) {
        const ImagePart& part = skin.Tables().parts[index];
        for (const GridRect& destination : sizes) {
            for (const GridPiece& piece : PlanNineGrid(part, destination, atlas.width, atlas.height)) {
                const GridRect& s = piece.source;
                if (s.x < 0 || s.y < 0 || s.x + s.width > atlas.width || s.y + s.height > atlas.height) __builtin_trap();
            }
        }
        RenderPart(skin, int(index), 9, 6);
    }
    return 0;
}
