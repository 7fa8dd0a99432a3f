#include "HubStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zandrel::hub {

HubStore::HubStore(QString stateFile)
    : file_(std::move(stateFile))
{}

HubStore::Loaded HubStore::load(QString* warning)
{
    QFile file(file_);
    if (!file.exists())
        return Loaded::Missing;

    QString problem;
    if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
    } else {
        try {
            const QByteArray bytes = file.readAll();
            if (bytes.trimmed().isEmpty())
                throw DecodeError(QStringLiteral("it is empty"));
            HubData data = wire::decodeJson<HubData>(bytes);
            if (data.format > HubData::currentFormat)
                throw DecodeError(QStringLiteral("written by a newer Hub (format %1)").arg(data.format));
            data_ = std::move(data);
            return Loaded::FromFile;
        } catch (const DecodeError& e) {
            problem = e.message();
        }
    }
    file.close();

    const QString aside = file_ + QStringLiteral(".corrupt-") +
                          QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QFile::remove(aside);
    if (!QFile::rename(file_, aside))
        throw StateSaveError(QStringLiteral("The state file %1 cannot be read (%2) nor moved aside")
                                 .arg(file_, problem)
                                 .toStdString());
    *warning =
        QStringLiteral("The state file %1 cannot be read (%2). It was moved to %3 and the Hub starts afresh.")
            .arg(file_, problem, aside);
    data_ = HubData{};
    return Loaded::MovedAside;
}

void HubStore::commit(HubData next)
{
    QDir().mkpath(QFileInfo(file_).absolutePath());
    QSaveFile out(file_);
    QByteArray bytes = QJsonDocument(wire::toJson(next).toObject()).toJson(QJsonDocument::Indented);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw StateSaveError(QStringLiteral("The Hub state cannot be saved to %1: %2")
                                 .arg(file_, out.errorString())
                                 .toStdString());
    data_ = std::move(next);
}

} // namespace zandrel::hub
