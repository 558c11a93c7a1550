// DialogControls: the shared push button.
#include "app/ui/DialogControls.h"

#include <QPushButton>

QPushButton* MakeButton(QWidget* parent, int id, const char* caption) {
    auto* button = Named(new QPushButton(QString::fromUtf8(caption), parent), id);
    button->setAutoDefault(false);
    return button;
}
