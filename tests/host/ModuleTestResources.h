#pragma once
// Registers the module's dialog templates from resources/dialogs, as the
// module library does when it loads.
void registerModuleTemplates();
