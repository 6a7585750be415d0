#include "fuzz_support.h"
#include "texts/settings.h"

FUZZ_INIT

// The window's settings file, as an edited or damaged copy beside the program may hold it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Settings::GUI gui(QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    REQUIRE(gui.valid);
    for (const Settings::LabelData& label : gui.labels) {
        const Settings::LabelData* found = gui.label(label.id);
        REQUIRE(found != nullptr && found->id == label.id);
        REQUIRE(gui.text(label.id) == found->text);
        REQUIRE(!QString(label).isEmpty());
    }
    for (const Settings::CircleData& circle : gui.circles)
        REQUIRE(!QString(circle).isEmpty());
    REQUIRE(QString(gui).startsWith("GUI settings:\n"));
    return 0;
}
