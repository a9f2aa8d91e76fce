// Any bytes in Zentrik.ini must load as ten valid profiles, and saving them must read back
// as the same table.
#include "profiles/ChoiceLists.h"
#include "settings/SettingsFormat.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkValid(const zv::ProfileTable& table)
{
    for (zv::ModelIndex m = 0; m < zv::kModelCount; ++m) {
        const zv::CameraProfile& profile = zv::profileOf(table, m);
        require(profile.ModelName == zv::modelName(m));
        for (std::size_t f = 0; f < zv::kProfileFieldCount; ++f) {
            const auto field = static_cast<zv::ProfileField>(f);
            if (const auto list = zv::choiceListOf(field))
                require(zv::isValidCode(*list, zv::fieldOf(profile, field)));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The file is read in chunks; where they split must not change the lines.
    zv::SettingsLineSplitter splitter;
    const std::size_t chunk = size > 0 ? 1 + data[0] % 16 : 1;
    for (std::size_t at = 0; at < size && splitter.feed(bytes.substr(at, chunk)); at += chunk) {
    }
    const zv::RawSettingsLines lines = splitter.take();
    require(lines == zv::splitSettingsLines(bytes));

    const zv::ProfileTable table = zv::Proverka_INI(lines);
    checkValid(table);

    // What was loaded is saved and loaded again unchanged.
    require(zv::Proverka_INI(zv::splitSettingsLines(zv::settingsFileText(table))) == table);
    return 0;
}
