#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <zip.h>

// One entry of a zip archive (a written document); empty when it is not there.
inline QByteArray zipEntry(const QString &archive, const char *name)
{
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &error);
    if (!zip)
        return {};
    QByteArray data;
    zip_stat_t stat;
    if (zip_stat(zip, name, 0, &stat) == 0) {
        if (zip_file_t *file = zip_fopen(zip, name, 0)) {
            data.resize(static_cast<qsizetype>(stat.size));
            if (zip_fread(file, data.data(), stat.size) != static_cast<zip_int64_t>(stat.size))
                data.clear();
            zip_fclose(file);
        }
    }
    zip_close(zip);
    return data;
}
