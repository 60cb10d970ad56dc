#include "RawZip.h"

#include <QtEndian>

#include <zip.h>
#include <zlib.h>

namespace wordtest {

namespace {

constexpr quint32 Unknown32 = 0xFFFFFFFF; // the value that points to the ZIP64 field

template <typename T> void put(QByteArray &out, T value)
{
    const T little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&little), sizeof little);
}

QByteArray rawDeflate(const QByteArray &data)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        qFatal("deflateInit2 failed");
    QByteArray out(static_cast<qsizetype>(deflateBound(&stream, uLong(data.size()))),
                   Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END)
        qFatal("deflate failed");
    out.resize(static_cast<qsizetype>(stream.total_out));
    deflateEnd(&stream);
    return out;
}

struct Written
{
    quint32 crc;
    quint64 compressed;
    quint64 declared;
    quint64 offset;
};

// The fields both headers share, from "version needed" to the extra field's length.
void putCommon(QByteArray &out, const RawZipEntry &entry, const Written &written)
{
    put<quint16>(out, entry.zip64 ? 45 : 20);
    put<quint16>(out, 0x0800); // UTF-8 names
    put<quint16>(out, entry.deflated ? 8 : 0);
    put<quint16>(out, 0);    // time
    put<quint16>(out, 0x21); // date: 1980-01-01
    put<quint32>(out, written.crc);
    put<quint32>(out, entry.zip64 ? Unknown32 : quint32(written.compressed));
    put<quint32>(out, entry.zip64 ? Unknown32 : quint32(written.declared));
    put<quint16>(out, quint16(entry.name.size()));
    put<quint16>(out, entry.zip64 ? 20 : 0);
}

void putZip64Field(QByteArray &out, const RawZipEntry &entry, const Written &written)
{
    if (!entry.zip64)
        return;
    put<quint16>(out, 0x0001);
    put<quint16>(out, 16);
    put<quint64>(out, written.declared);
    put<quint64>(out, written.compressed);
}

} // namespace

QByteArray rawZip(const QList<RawZipEntry> &entries)
{
    QByteArray zip;
    QList<Written> written;
    for (const RawZipEntry &entry : entries) {
        const QByteArray stored = entry.deflated ? rawDeflate(entry.data) : entry.data;
        const Written w{quint32(crc32(0, reinterpret_cast<const Bytef *>(entry.data.constData()),
                                      uInt(entry.data.size()))),
                        quint64(stored.size()), entry.declaredSize.value_or(entry.data.size()),
                        quint64(zip.size())};
        put<quint32>(zip, 0x04034b50);
        putCommon(zip, entry, w);
        zip += entry.name;
        putZip64Field(zip, entry, w);
        zip += stored;
        written.append(w);
    }
    const quint64 directory = zip.size();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        put<quint32>(zip, 0x02014b50);
        put<quint16>(zip, 0x0314); // made by: Unix, 2.0
        putCommon(zip, entries[i], written[i]);
        put<quint16>(zip, 0); // comment
        put<quint16>(zip, 0); // disk
        put<quint16>(zip, 0); // internal attributes
        put<quint32>(zip, 0); // external attributes
        put<quint32>(zip, quint32(written[i].offset));
        zip += entries[i].name;
        putZip64Field(zip, entries[i], written[i]);
    }
    const quint64 directorySize = zip.size() - directory;
    put<quint32>(zip, 0x06054b50);
    put<quint16>(zip, 0);
    put<quint16>(zip, 0);
    put<quint16>(zip, quint16(entries.size()));
    put<quint16>(zip, quint16(entries.size()));
    put<quint32>(zip, quint32(directorySize));
    put<quint32>(zip, quint32(directory));
    put<quint16>(zip, 0);
    return zip;
}

QList<RawZipEntry> rawEntries(const QByteArray &zip)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(zip.constData(), zip.size(), 0, &error);
    zip_t *archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive)
        qFatal("not a zip file");
    QList<RawZipEntry> entries;
    for (zip_int64_t index = 0; index < zip_get_num_entries(archive, 0); ++index) {
        zip_stat_t stat;
        zip_file_t *file = zip_fopen_index(archive, index, 0);
        if (!file || zip_stat_index(archive, index, 0, &stat) != 0)
            qFatal("unreadable zip entry");
        QByteArray data(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
        if (zip_fread(file, data.data(), stat.size) != static_cast<zip_int64_t>(stat.size))
            qFatal("unreadable zip entry");
        zip_fclose(file);
        entries.append({.name = stat.name, .data = data});
    }
    zip_discard(archive);
    return entries;
}

} // namespace wordtest
