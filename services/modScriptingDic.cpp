#include "services/modScriptingDic.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/stringpiece.h>

#include "platform/runtime/ProgramState.h"
#include "services/modErroHandling.h"
#include "services/modFileHandling.h"

namespace modScriptingDic {

namespace {

bool& blnRegTried = rt::program.dictionaryRegistrationTried;
const char* const kProgId = "Scripting.Dictionary";

std::shared_ptr<automation::Object> TryCreate(modErroHandling::SkippedFailure& last) {
    std::shared_ptr<automation::Object> made;
    modErroHandling::Skip(last, 20, [&] { made = automation::Objects().CreateByClass(kProgId); });
    if (!made)
        modErroHandling::Skip(last, 30,
                              [&] { made = automation::Objects().CreateObject(kProgId); });
    return made;
}

}  // namespace

std::shared_ptr<automation::Object> fncCreateDicObject() {
    modErroHandling::strAction =
        "Attempting to create a new Scripting.Dictionary object. This component is usually "
        "installed with Internet Explorer 4.0 or later";
    modErroHandling::SkippedFailure last;
    auto made = TryCreate(last);
    if (!made && !blnRegTried) {
        blnRegTried = true;
        modFileHandling::subRegisterScrrun();
        made = TryCreate(last);
    }
    if (!made)
        modErroHandling::subReportError(last.description, last.number, last.line,
                                        "modScriptingDic.fncCreateDic");
    return made;
}

struct TextCollator::Impl {
    std::unique_ptr<icu::Collator> collator;
};

namespace {

// The C and POSIX locales say nothing about language; ICU reads them as en_US_POSIX, whose
// collation orders by character code and so puts every capital before every small letter.
// The root collation is what such a user should get.
icu::Locale CollationLocale() {
    icu::Locale locale = icu::Locale::getDefault();
    if (std::string(locale.getVariant()) == "POSIX")
        return icu::Locale::getRoot();
    return locale;
}

}  // namespace

TextCollator::TextCollator() : impl_(std::make_unique<Impl>()) {
    UErrorCode status = U_ZERO_ERROR;
    impl_->collator.reset(icu::Collator::createInstance(CollationLocale(), status));
    if (U_FAILURE(status) || !impl_->collator)
        throw rt::Failure(rt::kCannotCreateObject,
                          std::string("Text collation is not available: ") + u_errorName(status));
    // Secondary strength tells accents apart but not case.
    impl_->collator->setStrength(icu::Collator::SECONDARY);
}

TextCollator::~TextCollator() = default;

int TextCollator::Compare(const std::string& a, const std::string& b) const {
    UErrorCode status = U_ZERO_ERROR;
    UCollationResult result =
        impl_->collator->compareUTF8(icu::StringPiece(a), icu::StringPiece(b), status);
    if (U_FAILURE(status))
        throw rt::Failure(rt::kInvalidCall, u_errorName(status));
    return static_cast<int>(result);
}

}  // namespace modScriptingDic
