#include "window_progress.h"

namespace kordex::app {

void StatusProgress::ShowStatus(const std::string& text) {
    status_.showMessage(QString::fromStdString(text));
    status_.repaint();
}

void StatusProgress::ClearStatus() {
    status_.clearMessage();
    status_.repaint();
}

void StatusProgress::ShowProgress(int maximum) {
    progress_.setRange(0, maximum);
    progress_.setValue(0);
    progress_.show();
    progress_.repaint();
}

void StatusProgress::SetProgress(int position) {
    progress_.setValue(position);
    progress_.repaint();
}

void StatusProgress::StepProgress() {
    SetProgress(progress_.value() + 1);
}

void StatusProgress::HideProgress() {
    progress_.hide();
}

void LibraryScanProgress::ReadingFile(const std::string& path) {
    shown_.ShowStatus("Текущий реплей: " + path);
}

void LibraryScanProgress::Finished() {
    shown_.HideProgress();
    shown_.ClearStatus();
}

void SeriesRunProgress::ProgressPosition(int position) {
    shown_.SetProgress(position);
    window_.showTables();
}

}  // namespace kordex::app
