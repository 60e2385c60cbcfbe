#include "app/program.hpp"

#include "app/command_line.hpp"
#include "app/language.hpp"
#include "app/messages.hpp"
#include "app/startup.hpp"
#include "platform/platform.hpp"
#include "script/escapes.hpp"

namespace parcelkit::app {

int run(platform::Platform& platform) {
    Session session;
    readMachine(session, platform.system, platform.files);
    const auto setupini = platform.profiles.open(session.dirs.currentdir + L"\\setup.ini");
    readSetupScript(session, *setupini);

    const auto language = chooseLanguageSource(
        session.dirs.currentdir, platform.system.systemLocale(), platform.files, platform.profiles);
    const MessageTexts texts(*language.langfile, language.langsection);

    if (isUsageRequest(platform.system.arguments())) {
        platform.boxes.show(script::extstr(texts.text(msg::UsageText)),
                            texts.text(msg::UsageCaption), platform::BoxIcon::None,
                            platform::BoxButtons::Ok);
        return 0;
    }
    return 0;
}

} // namespace parcelkit::app
