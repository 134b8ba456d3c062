#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// An ordered list of key=value lines. Keys compare without regard to letter
// case and the first matching line wins; setting a key replaces its line in
// place or appends a new one. Lines that are not key=value are kept as they are.
class KeyValueList {
  public:
    KeyValueList() = default;
    explicit KeyValueList(QStringList lines) : lines_(std::move(lines)) {}

    const QStringList& lines() const { return lines_; }
    void setLines(QStringList lines) { lines_ = std::move(lines); }
    void clear() { lines_.clear(); }
    bool isEmpty() const { return lines_.isEmpty(); }
    qsizetype size() const { return lines_.size(); }

    // Index of the first line whose key (text before its first "=") equals key, or -1.
    qsizetype indexOf(const QString& key) const;
    // Text after the first "=" of that line; nullopt when no line has the key.
    std::optional<QString> value(const QString& key) const;
    QString valueOr(const QString& key, const QString& fallback = {}) const;
    // Replaces the line of key by key=value, or appends it.
    void set(const QString& key, const QString& value);

    // Splits a line at its first "=": the key (the whole line when there is
    // no "=") and the value (empty then).
    static QString keyOf(const QString& line);
    static QString valueOf(const QString& line);

  private:
    QStringList lines_;
};
