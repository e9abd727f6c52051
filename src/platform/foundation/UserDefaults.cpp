#include "platform/foundation/UserDefaults.h"

#include "platform/foundation/DictionaryFile.h"
#include "platform/foundation/Paths.h"

namespace {

std::mutex& standardMutex() {
    static std::mutex mutex;
    return mutex;
}

std::unique_ptr<UserDefaults>& standardInstance() {
    static std::unique_ptr<UserDefaults> instance;
    return instance;
}

std::string currentPath() {
    return Paths::join(Paths::preferences(), UserDefaults::kFileName);
}

}  // namespace

UserDefaults& UserDefaults::standardUserDefaults() {
    std::lock_guard lock(standardMutex());
    std::unique_ptr<UserDefaults>& instance = standardInstance();
    std::string path = currentPath();
    if (!instance || instance->path() != path) {
        instance = std::make_unique<UserDefaults>(path);
    }
    return *instance;
}

void UserDefaults::resetStandardUserDefaults() {
    std::lock_guard lock(standardMutex());
    standardInstance().reset();
}

UserDefaults::UserDefaults() : UserDefaults(currentPath()) {}

UserDefaults::UserDefaults(std::string path)
    : m_path(std::move(path)),
      m_values(DictionaryFile::read(m_path, "user defaults", "settings").values) {}

bool UserDefaults::contains(std::string_view key) const {
    std::lock_guard lock(m_mutex);
    return m_values.contains(key);
}

PropertyList UserDefaults::objectForKey(std::string_view key) const {
    std::lock_guard lock(m_mutex);
    return m_values.value(key);
}

std::string UserDefaults::stringForKey(std::string_view key) const {
    return objectForKey(key).toString();
}

std::int64_t UserDefaults::integerForKey(std::string_view key) const {
    return objectForKey(key).toInteger();
}

double UserDefaults::doubleForKey(std::string_view key) const {
    return objectForKey(key).toDouble();
}

bool UserDefaults::boolForKey(std::string_view key) const {
    return objectForKey(key).toBool();
}

Bytes UserDefaults::dataForKey(std::string_view key) const {
    return objectForKey(key).toData();
}

PropertyList UserDefaults::arrayForKey(std::string_view key) const {
    PropertyList value = objectForKey(key);
    return value.isArray() ? value : PropertyList();
}

PropertyList UserDefaults::dictionaryForKey(std::string_view key) const {
    PropertyList value = objectForKey(key);
    return value.isDictionary() ? value : PropertyList();
}

void UserDefaults::setObject(PropertyList value, std::string_view key) {
    std::lock_guard lock(m_mutex);
    if (value.isNull()) {
        m_values.remove(key);
    } else {
        m_values.set(key, std::move(value));
    }
    m_unsaved = true;
    store();
}

void UserDefaults::setString(std::string_view value, std::string_view key) {
    setObject(PropertyList(value), key);
}

void UserDefaults::setInteger(std::int64_t value, std::string_view key) {
    setObject(PropertyList(value), key);
}

void UserDefaults::setDouble(double value, std::string_view key) {
    setObject(PropertyList(value), key);
}

void UserDefaults::setBool(bool value, std::string_view key) {
    setObject(PropertyList(value), key);
}

void UserDefaults::setData(const Bytes& value, std::string_view key) {
    setObject(PropertyList(value), key);
}

void UserDefaults::removeObjectForKey(std::string_view key) {
    setObject(PropertyList(), key);
}

bool UserDefaults::synchronize() {
    std::lock_guard lock(m_mutex);
    store();
    return !m_unsaved;
}

void UserDefaults::store() {
    if (m_unsaved && m_values.writeFile(m_path)) {
        m_unsaved = false;
    }
}
