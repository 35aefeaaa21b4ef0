#include "app/form1.h"

// Installing and removing packs, and the installed-pack record.

namespace tarnwick {

void Form1::LoadCofg(const std::wstring&) {}

void Form1::Form_Unload() {}

void Form1::Command3_Click() {}

void Form1::Command4_Click() {}

}  // namespace tarnwick
