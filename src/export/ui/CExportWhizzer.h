// CExportWhizzer: the export presets dialog (dialog 9056, "Export Whizzer"): four presets, seven check boxes and the
// labels and pictures that act on them. It shows an ExportWhizzerModel; its OK runs the export.
#pragma once

#include <QDialog>
#include <map>

#include "export/ExportWhizzerModel.h"
#include "export/ObjectExporter.h"

struct ObjectFile;

class CExportWhizzer : public QDialog {
    Q_OBJECT
public:
    explicit CExportWhizzer(QWidget* parent = nullptr);

    // The selected object file; its path is shown and recorded in the document. Call before showing the dialog.
    void SetObjectFile(ObjectFile* file);

    // The save dialog OK shows; tests replace it. An empty function restores the file dialog.
    static void SetSaveDialog(ExportSaveDialog dialog);

    const ExportWhizzerModel& Model() const { return model_; }
    // A click on the control as the user makes it (also labels and pictures), then the controls refreshed.
    void ClickControl(int id);

public slots:
    // Builds the options, runs the export and closes: with Cancel when the export ran, with OK when the file dialog
    // was dismissed.
    void accept() override;
    void reject() override;

private:
    void BuildControls();
    void Refresh();

    ExportWhizzerModel model_;
    ObjectFile* file_ = nullptr;
    std::map<int, QWidget*> controls_;
};
