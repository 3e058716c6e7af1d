#include "Game/SkillsComponent.h"

#include "Core/Object.h"
#include "Core/TypeRegistry.h"

namespace Tarn
{
	TARN_REGISTER_COMPONENT_TYPE( SkillsComponent )

	void SkillsComponent::Shutdown() { DeleteTweakBar(); }

	const ComponentProperties& SkillsComponent::Properties() const
	{
		using P = Declare<SkillsComponent>;
		using C = SkillsComponent;
		static const ComponentProperties kProperties = {
			P::Float( "RadialLightEnergy", "mRadialLightEnergy", &C::mRadialLightEnergy )
			    .WriteOnly()
			    .Bar( "Curr Energy", " group=RadialLight " ),
			P::Float( "RadialLightEnergyMax", "mRadialLightEnergyMax", &C::mRadialLightEnergyMax )
			    .WriteOnly()
			    .Bar( "Max  Energy", " group=RadialLight " ),
			P::Float( "LightBombCooldown", "mLightBombCooldown", &C::mLightBombCooldown )
			    .WriteOnly()
			    .Bar( "Bomb Cooldown", " group=LightBomb " ),
			P::Float( "LightBombCooldownCurrentTime", "mLightBombCooldownCurrentTime", &C::mLightBombCooldownCurrentTime )
			    .WriteOnly()
			    .Bar( "Bomb Curr CD", " group=LightBomb " ),
			P::Bool( "LightBombReady", "mLightBombReady", &C::mLightBombReady ).WriteOnly().Bar( "Bomb Ready", " group=LightBomb " ),
			P::Bool( "SpeedBoost", "mSpeedBoost", &C::mSpeedBoost ).WriteOnly().Bar( "Speed Boost", " group=SpeedBoost " ),
			P::Float( "SpeedTimer", "mSpeedTimer", &C::mSpeedTimer ).WriteOnly().Bar( "Speed Boost Timer", " group=SpeedBoost " ),
		};
		return kProperties;
	}
}
