#pragma once

#include <cstdint>

namespace Tarn
{
	// 32-bit string hash used for every name lookup of the engine: service classes,
	// object and component types, object names and resource IDs.
	uint32_t Hash( const char* text );
}
