#include "OoxmlPackage.h"

#include "TemplateLimits.h"
#include "report/Automation.h"

#include <zip.h>

#include <array>
#include <memory>

namespace zolvaric {

namespace {

AutomationError brokenFile(const QString &fileName)
{
    return AutomationError(
        QStringLiteral("Die Datei \"%1\" ist keine lesbare Word-Datei (ZIP-Archiv beschädigt).")
            .arg(fileName));
}

// The reason a document cannot be saved, for the message that names its file.
AutomationError writeFailure(const char *reason)
{
    return AutomationError(
        QStringLiteral("Das ZIP-Archiv des Dokuments kann nicht erstellt werden: %1")
            .arg(QString::fromUtf8(reason)));
}

AutomationError writeFailure(zip_error_t *error)
{
    return writeFailure(zip_error_strerror(error));
}

struct ErrorGuard
{
    zip_error_t error;
    ErrorGuard() { zip_error_init(&error); }
    ~ErrorGuard() { zip_error_fini(&error); }
};

struct FileCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};
using FilePtr = std::unique_ptr<zip_file_t, FileCloser>;

struct SourceDeleter
{
    void operator()(zip_source_t *source) const { zip_source_free(source); }
};
using SourcePtr = std::unique_ptr<zip_source_t, SourceDeleter>;

// Reads a whole in-memory zip source back, after its archive was closed.
QByteArray readSource(zip_source_t *source)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(source, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
        zip_source_open(source) != 0)
        throw writeFailure(zip_source_error(source));
    QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_source_read(source, bytes.data(), stat.size);
    zip_source_close(source);
    if (read != static_cast<zip_int64_t>(stat.size))
        throw writeFailure(zip_source_error(source));
    return bytes;
}

} // namespace

OoxmlPackage::OoxmlPackage(QByteArray bytes, const QString &fileName)
    : m_bytes(std::move(bytes)), m_fileName(fileName)
{
    if (m_bytes.size() > MaxTemplatePackageBytes)
        throw templateTooLarge();
    ErrorGuard guard;
    zip_source_t *source =
        zip_source_buffer_create(m_bytes.constData(), m_bytes.size(), 0, &guard.error);
    if (!source)
        throw brokenFile(fileName);
    m_archive = zip_open_from_source(source, ZIP_RDONLY, &guard.error);
    if (!m_archive) {
        zip_source_free(source);
        throw brokenFile(fileName);
    }
    try {
        readDirectory();
        checkSizes();
    } catch (...) {
        zip_discard(m_archive);
        throw;
    }
}

void OoxmlPackage::readDirectory()
{
    const zip_int64_t count = zip_get_num_entries(m_archive, 0);
    if (count > MaxTemplateParts)
        throw templateTooLarge();
    for (zip_int64_t index = 0; index < count; ++index) {
        const char *name = zip_get_name(m_archive, index, ZIP_FL_ENC_GUESS);
        if (!name)
            throw brokenFile(m_fileName);
        m_names.append(QString::fromUtf8(name));
        m_indexes.insert(m_names.last().toLower(), static_cast<int>(index));
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(m_archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
            throw brokenFile(m_fileName);
        m_sizes.append(stat.size);
    }
}

// The sizes the directory declares must keep within the limits, and the
// data must keep to them: a part that inflates beyond its declared size is
// cut off right there. After this, reading a part allocates no more than the
// limits allow.
void OoxmlPackage::checkSizes() const
{
    zip_uint64_t total = 0;
    for (const zip_uint64_t size : m_sizes) {
        if (size > zip_uint64_t(MaxTemplatePartBytes))
            throw templateTooLarge();
        total += size; // cannot wrap: each size is within the part limit
        if (total > zip_uint64_t(MaxTemplatePackageBytes))
            throw templateTooLarge();
    }
    std::array<char, 64 * 1024> buffer;
    for (int index = 0; index < m_sizes.size(); ++index) {
        const FilePtr file(zip_fopen_index(m_archive, index, 0));
        if (!file)
            throw brokenFile(m_fileName);
        zip_uint64_t read = 0;
        for (;;) {
            // One byte more than declared tells a lie from the end.
            const zip_uint64_t wanted =
                std::min<zip_uint64_t>(buffer.size(), m_sizes[index] + 1 - read);
            const zip_int64_t got = zip_fread(file.get(), buffer.data(), wanted);
            if (got < 0)
                throw brokenFile(m_fileName);
            if (got == 0)
                break;
            read += zip_uint64_t(got);
            if (read > m_sizes[index])
                throw templateTooLarge();
        }
        if (read != m_sizes[index])
            throw brokenFile(m_fileName);
    }
}

OoxmlPackage::~OoxmlPackage()
{
    zip_discard(m_archive);
}

int OoxmlPackage::indexOf(const QString &part) const
{
    return m_indexes.value(part.toLower(), -1);
}

bool OoxmlPackage::contains(const QString &part) const
{
    return indexOf(part) >= 0;
}

QByteArray OoxmlPackage::read(const QString &part) const
{
    const int index = indexOf(part);
    if (index < 0)
        throw AutomationError(
            QStringLiteral("Der Teil \"%1\" fehlt in der Datei \"%2\".").arg(part, m_fileName));
    if (m_replaced.contains(index))
        return m_replaced.value(index);
    // The size was checked against the data when the package was opened.
    const zip_uint64_t size = m_sizes[index];
    const FilePtr file(zip_fopen_index(m_archive, index, 0));
    if (!file)
        throw brokenFile(m_fileName);
    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    // Reading to the end makes libzip check the CRC.
    const zip_int64_t read = zip_fread(file.get(), bytes.data(), size);
    char extra;
    if (read != static_cast<zip_int64_t>(size) || zip_fread(file.get(), &extra, 1) != 0)
        throw brokenFile(m_fileName);
    return bytes;
}

void OoxmlPackage::replace(const QString &part, QByteArray bytes)
{
    const int index = indexOf(part);
    Q_ASSERT(index >= 0);
    m_replaced.insert(index, std::move(bytes));
}

QByteArray OoxmlPackage::toBytes() const
{
    return write(m_replaced);
}

QByteArray OoxmlPackage::toBytesWith(const QString &part, const QByteArray &bytes) const
{
    const int index = indexOf(part);
    Q_ASSERT(index >= 0);
    QHash<int, QByteArray> replaced = m_replaced;
    replaced.insert(index, bytes);
    return write(replaced);
}

QByteArray OoxmlPackage::write(const QHash<int, QByteArray> &replaced) const
{
    ErrorGuard guard;
    SourcePtr output(zip_source_buffer_create(nullptr, 0, 0, &guard.error));
    if (!output)
        throw writeFailure(&guard.error);
    zip_source_keep(output.get()); // survives the archive's close, to be read back
    zip_t *archive = zip_open_from_source(output.get(), ZIP_TRUNCATE, &guard.error);
    if (!archive) {
        zip_source_free(output.get()); // the reference the archive did not take
        throw writeFailure(&guard.error);
    }
    for (int index = 0; index < m_names.size(); ++index) {
        const QByteArray name = m_names[index].toUtf8();
        zip_int64_t added;
        if (name.endsWith('/')) {
            added = zip_dir_add(archive, name.constData(), ZIP_FL_ENC_UTF_8);
        } else {
            const auto replacement = replaced.constFind(index);
            // A whole entry from the other archive is copied without recompressing.
            zip_source_t *source =
                replacement != replaced.constEnd()
                    ? zip_source_buffer(archive, replacement->constData(),
                                        static_cast<zip_uint64_t>(replacement->size()), 0)
                    : zip_source_zip(archive, m_archive, index, 0, 0, -1);
            added = source ? zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8) : -1;
            if (source && added < 0)
                zip_source_free(source);
            if (added >= 0 && replacement != replaced.constEnd())
                zip_set_file_compression(archive, added, ZIP_CM_DEFLATE, 0);
        }
        if (added < 0) {
            const AutomationError failure = writeFailure(zip_strerror(archive));
            zip_discard(archive);
            throw failure;
        }
    }
    if (zip_close(archive) != 0) {
        const AutomationError failure = writeFailure(zip_strerror(archive));
        zip_discard(archive);
        throw failure;
    }
    return readSource(output.get());
}

} // namespace zolvaric
