// The platform library is made of its rooms (see CMakeLists.txt); this file
// gives the shared library a source of its own.
