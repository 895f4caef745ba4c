// What a window manager does to the game's window, for the whole-program
// tests on an X server without one:
//
//   gestor_ventanas cierra VENTANA   asks the window to close, as its close
//                                    button does (a WM_DELETE_WINDOW message)
//   gestor_ventanas foco             maps a window of its own and takes the
//                                    input focus; prints its id, and keeps the
//                                    window until its standard input closes
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

int Cierra(Display* d, Window ventana)
{
    XEvent e;
    std::memset(&e, 0, sizeof e);
    e.xclient.type = ClientMessage;
    e.xclient.window = ventana;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    const Status enviado = XSendEvent(d, ventana, False, NoEventMask, &e);
    XSync(d, False);
    return enviado != 0 ? 0 : 1;
}

int TomaFoco(Display* d)
{
    const Window ventana = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 64, 64, 0, 0, 0);
    XSelectInput(d, ventana, StructureNotifyMask | FocusChangeMask);
    XMapRaised(d, ventana);
    XEvent e;
    do XNextEvent(d, &e);
    while (e.type != MapNotify);
    XSetInputFocus(d, ventana, RevertToPointerRoot, CurrentTime);
    do XNextEvent(d, &e);
    while (e.type != FocusIn);
    std::printf("%lu\n", ventana);
    std::fflush(stdout);
    char c;
    while (read(0, &c, 1) > 0) {
    }
    XDestroyWindow(d, ventana);
    XSync(d, False);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    int r = 2;
    if (argc == 3 && std::strcmp(argv[1], "cierra") == 0)
        r = Cierra(d, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)));
    else if (argc == 2 && std::strcmp(argv[1], "foco") == 0)
        r = TomaFoco(d);
    else
        std::fprintf(stderr, "usage: gestor_ventanas cierra VENTANA | foco\n");
    XCloseDisplay(d);
    return r;
}
