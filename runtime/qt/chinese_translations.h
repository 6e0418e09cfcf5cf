// Qt's own strings (the boxes' context menus, the buttons of message boxes)
// in Simplified Chinese, since the whole interface is Chinese.
#pragma once

namespace channelflow::runtime::qt {

// Loads Qt's Simplified Chinese translations from Qt's translations folder
// into the running application, whatever the user's locale; once per
// application, later calls do nothing. Returns false when the translations
// are not installed (Qt's English strings remain).
bool installChineseTranslations();

}  // namespace channelflow::runtime::qt
