#pragma once

#include "ui/common/Seams.h"

#include <string>
#include <vector>

namespace zv::test {

// Ejects nothing: answers as its owner says and notes what it was asked to eject.
class FakeCardEjector final : public CardEjector {
public:
    Result eject(const std::string& root) override
    {
        ejected.push_back(root);
        return answer;
    }

    Result answer{Outcome::Ejected, {}};
    std::vector<std::string> ejected;
};

} // namespace zv::test
