#pragma once

// A small INI file as Windows programs read and write it: [section] headers, key=value lines,
// sections and keys matched without regard to case. Written in UTF-8 with the keys as they are;
// a file that is not valid UTF-8 is read in the Windows Turkish code page (1254), as files
// written by older installations are.

#include <QList>
#include <QString>

namespace vk {

QString decodeWindows1254(const QByteArray& bytes);
QString decodeSettingsText(const QByteArray& bytes); // UTF-8 when valid, else code page 1254

class IniFile {
public:
    static IniFile parse(const QString& text);

    bool contains(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key, const QString& fallback = {}) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    QString toText() const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        QList<Entry> entries;
    };
    const Entry* find(const QString& section, const QString& key) const;

    QList<Section> m_sections;
};

// Reads the file; false when it does not exist or cannot be read.
bool readIniFile(const QString& path, IniFile* ini);
// Writes the file atomically (the old one stays until the new one is complete); raises vk::Error.
void writeIniFile(const QString& path, const IniFile& ini);

} // namespace vk
