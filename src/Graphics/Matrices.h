#pragma once

#include "core/Matrices.h"

namespace Graphics
{
	using Tarn::Identity;
	using Tarn::LookAtLH;
	using Tarn::Matrix;
	using Tarn::PerspectiveFovLH;
	using Tarn::RotationZ;
	using Tarn::Scaling;
	using Tarn::TransformCoord;
	using Tarn::Translation;
}
