#include "app/CommandLineEject.h"

#include "app/CardEjector.h"
#include "ui/common/Seams.h"

#include <memory>

namespace zv {

namespace {

std::string reasonOf(const CardEjector::Result& result)
{
    std::string reason;
    switch (result.outcome) {
    case CardEjector::Outcome::Ejected:
        return {};
    case CardEjector::Outcome::Busy:
        reason = "cannot eject: a program still has a file of the card open";
        break;
    case CardEjector::Outcome::Refused:
        reason = "cannot eject: the system refused";
        break;
    case CardEjector::Outcome::NoService:
        reason = "cannot eject: nothing here can (no UDisks2 service)";
        break;
    case CardEjector::Outcome::NotFound:
        reason = "cannot eject: the card is no longer there";
        break;
    case CardEjector::Outcome::Failed:
        reason = "cannot eject";
        break;
    }
    return result.detail.empty() ? reason : reason + " (" + result.detail + ")";
}

} // namespace

CardEject systemCardEject()
{
    std::shared_ptr<CardEjector> ejector = makeSystemCardEjector();
    return [ejector](const std::string& root) {
        const CardEjector::Result result = ejector->eject(root);
        return EjectReport{result.outcome == CardEjector::Outcome::Ejected, reasonOf(result)};
    };
}

} // namespace zv
