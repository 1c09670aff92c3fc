#pragma once

#include <vector>

// A dialog template as a table: the controls in tab order, placed in dialog
// units. The Qt form builder turns it into widgets.
enum class ControlKind { Label, GroupBox, Edit, DropList, PushButton, CheckBox, ListView };

namespace ControlStyle {
enum : unsigned {
    None = 0,
    TabStop = 1U << 0,
    ReadOnly = 1U << 1,
    Centre = 1U << 2, // text centred (edits)
    Hidden = 1U << 3,
    Right = 1U << 4, // text right-aligned (labels)
};
}

struct ControlSpec {
    int id = -1; // -1: a label or frame nothing refers to
    ControlKind kind = ControlKind::Label;
    const char* text = ""; // UTF-8
    int x = 0, y = 0, w = 0, h = 0; // dialog units
    unsigned style = ControlStyle::None;
    int buddy = 0; // for a label: the control it names
};

struct DialogSpec {
    int id = 0;
    const char* caption = "";
    const char* fontFace = "宋体";
    int pointSize = 12;
    int width = 0, height = 0; // dialog units
    std::vector<ControlSpec> controls; // in tab order
};

// The standard IDs of a dialog's buttons.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
// 恢复默认, the same on every calculator form.
inline constexpr int IDC_RESTORE_DEFAULTS = 1399;
// 材料(M)…, the materials picker, on every form that takes materials.
inline constexpr int IDC_MATERIALS = 1600;
