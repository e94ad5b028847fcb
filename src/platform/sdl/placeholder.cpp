// SDL back ends are being written; this file keeps the library non-empty.
namespace veloria {}
