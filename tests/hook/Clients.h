// The connections of this process as the X server knows them (its X-Resource extension), to
// find the hot-key library's own among them.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>
#include <unistd.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace huebird::testing {

// The resource base of the one connection of this process that owns none of `known` (a
// resource of each of the process's other connections), through the connection `dpy`; 0 when
// there is no such connection, or more than one. Xlib's first resource of a connection, its
// default graphics context, has that base as its id, so XKillClient takes it.
inline XID OtherConnection(Display* dpy, std::initializer_list<XID> known) {
    std::vector<XID> ours;
    long count = 0;
    XResClientIdValue* ids = nullptr;
    for (const XID resource : known) {
        XResClientIdSpec spec{resource, XRES_CLIENT_ID_PID_MASK};
        if (XResQueryClientIds(dpy, 1, &spec, &count, &ids) != Success) return 0;
        if (count == 1) ours.push_back(ids[0].spec.client);
        XResClientIdsDestroy(count, ids);
    }
    XResClientIdSpec all{0, XRES_CLIENT_ID_PID_MASK};
    if (XResQueryClientIds(dpy, 1, &all, &count, &ids) != Success) return 0;
    XID other = 0;
    int found = 0;
    for (long i = 0; i < count; ++i) {
        const XID base = ids[i].spec.client;
        if (XResGetClientPid(&ids[i]) == getpid() &&
            std::find(ours.begin(), ours.end(), base) == ours.end()) {
            other = base;
            ++found;
        }
    }
    XResClientIdsDestroy(count, ids);
    return found == 1 ? other : 0;
}

}  // namespace huebird::testing
