#pragma once

#include <QByteArray>

#include <ctime>

namespace namenswerk::test {

// Sets an environment variable for the lifetime of the object and restores
// the earlier value (or its absence) afterwards. The time zone is re-read on
// both ends, so TZ can be changed this way too.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char *name, const QByteArray &value)
        : name_(name), hadValue_(qEnvironmentVariableIsSet(name)), oldValue_(qgetenv(name))
    {
        qputenv(name_, value);
        ::tzset();
    }
    ~ScopedEnvironment()
    {
        if (hadValue_) {
            qputenv(name_, oldValue_);
        } else {
            qunsetenv(name_);
        }
        ::tzset();
    }
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

private:
    const char *name_;
    bool hadValue_;
    QByteArray oldValue_;
};

} // namespace namenswerk::test
