// HexResourceEditor: the read-only hex view of one resource (dialog 9049): offsets, bytes and characters.
#pragma once

#include "resfile/ResTypes.h"
#include "tools/ui/ResourceTextView.h"

class iResFile;

// The text is made once as the window opens and does not follow later changes of the resource.
class HexResourceEditor : public ResourceTextView {
    Q_OBJECT
public:
    HexResourceEditor(iResFile& file, ResType type, ResID id, QWidget* parent = nullptr);
    // Makes a view, places it by the tool window rule and shows it.
    static HexResourceEditor* Open(iResFile& file, ResType type, ResID id);
};
