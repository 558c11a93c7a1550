// StringResourceEditor: the read-only view of one string set in the current language (dialog 9050).
#pragma once

#include "resfile/ResTypes.h"
#include "tools/ui/ResourceTextView.h"

class iResFile;

// Title and text are made once as the window opens.
class StringResourceEditor : public ResourceTextView {
    Q_OBJECT
public:
    StringResourceEditor(iResFile& file, ResID id, QWidget* parent = nullptr);
    // Makes a view, places it by the tool window rule and shows it.
    static StringResourceEditor* Open(iResFile& file, ResID id);
};
