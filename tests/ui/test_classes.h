#pragma once

#include <QByteArray>
#include <QMetaObject>
#include <QObject>
#include <QTest>
#include <initializer_list>
#include <vector>

namespace quillon::ui::testing {

// Runs several test objects in one program, and lets its command line name test functions of
// any of them, as QtTest lets a program of one object do: each object runs the functions named
// among its own slots, and an object none of whose slots is named does not run at all. Options
// (and whatever else names no slot) go to every object. With no function named, all run.
inline int run_test_classes(std::initializer_list<QObject*> objects, int argc, char** argv) {
    const auto slot_of = [](const QObject* object, const QByteArray& arg) {
        // "name" or "name:data tag", as QtTest reads them.
        const qsizetype colon = arg.indexOf(':');
        const QByteArray name = colon < 0 ? arg : arg.left(colon);
        const int index = object->metaObject()->indexOfMethod(name + "()");
        return index >= 0 && object->metaObject()->method(index).methodType() == QMetaMethod::Slot;
    };
    bool named = false;
    for (int i = 1; i < argc; ++i) {
        for (const QObject* object : objects) {
            named = named || slot_of(object, argv[i]);
        }
    }
    int status = 0;
    for (QObject* object : objects) {
        std::vector<char*> args{argv[0]};
        bool own = false;
        for (int i = 1; i < argc; ++i) {
            bool other = false;
            for (const QObject* o : objects) {
                other = other || (o != object && slot_of(o, argv[i]));
            }
            if (slot_of(object, argv[i])) {
                own = true;
                args.push_back(argv[i]);
            } else if (!other) {
                args.push_back(argv[i]);
            }
        }
        if (named && !own) {
            continue;
        }
        status |= QTest::qExec(object, static_cast<int>(args.size()), args.data());
    }
    return status;
}

}  // namespace quillon::ui::testing
