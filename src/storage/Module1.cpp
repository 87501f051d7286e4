#include "Module1.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Module1 {

QString TestsDir;
QString TestPath;
QString CandidateName;
std::int16_t FinalScore = 0;
TestRecord TestRec;
LogRecord LogRec;

QString pathSep() {
    return QString(QDir::separator());
}

QString joinPath(const QString& folder, const QString& name) {
    return folder + pathSep() + name;
}

QString defaultTestsDir() {
    return QStringLiteral(".") + pathSep() + QStringLiteral("tests");
}

IoStatus readTestRecord(const QString& path, int n) {
    QByteArray bytes;
    const IoStatus st = RecordFile(path, kTestRecordLength).read(n, bytes);
    if (st)
        TestRec.setBytes(bytes);
    return st;
}

IoStatus writeTestRecord(const QString& path, int n) {
    return RecordFile(path, kTestRecordLength).write(n, TestRec.bytes());
}

std::optional<std::int16_t> testRecordCount(const QString& path, IoStatus* status) {
    return RecordFile(path, kTestRecordLength).count(status);
}

void CenterForm(QWidget* form) {
    if (!form)
        return;
    QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize frame = form->frameGeometry().size();
    const float left = static_cast<float>(area.width() - frame.width()) / 2.0f;
    const float top = static_cast<float>(area.height() - frame.height()) / 2.0f;
    form->move(area.x() + static_cast<int>(left), area.y() + static_cast<int>(top));
}

void reset() {
    TestsDir.clear();
    TestPath.clear();
    CandidateName.clear();
    FinalScore = 0;
    TestRec.clear();
    LogRec.clear();
}

} // namespace Module1
