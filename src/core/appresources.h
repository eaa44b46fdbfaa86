#pragma once

namespace appresources {

// Registers the compiled-in resource bundles (images, cursors) once. The
// library is static, so nothing registers them on its own; every user of a
// resource calls this first.
void ensureRegistered();

} // namespace appresources
