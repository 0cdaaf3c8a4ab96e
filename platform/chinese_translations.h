#pragma once

// Loads Qt's own Chinese texts (standard buttons, the colour and file
// dialogs, the line edit's menu) into the application, and makes Chinese the
// default locale of the program's widgets. Returns false when Qt's
// translation file is not installed: the dialogs then speak English.
bool installChineseTranslations();
