#pragma once

#include "core/Vector2.h"

namespace Tarn
{
	class Object;
}

namespace KelvaneTest
{
	// An object of type name `type` (a guard, a crystal, a switch, a mine) for the pieces
	// that act on such objects by their type before those objects are built: it carries
	// a transform, a mesh, a collider, a machine, a mine component and a switch
	// component, takes the transform's and collider's settings of `type`, stands active at
	// `at`, and its machine and mine component are in STATE_NORMAL under a code that runs
	// no routine, so that only the test moves them. Made through the object manager under `name`.
	Tarn::Object& MakeStandIn( const char* type, const char* name, Tarn::Vector2 at );
}
