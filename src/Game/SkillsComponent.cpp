#include "Game/SkillsComponent.h"

#include "Core/Object.h"
#include "Core/Serialiser.h"
#include "Core/TypeRegistry.h"
#include "Platform/TweakBar.h"

namespace Tarn
{
	TARN_REGISTER_COMPONENT_TYPE( SkillsComponent )

	void SkillsComponent::Shutdown()
	{
		if ( mTweakBar )
		{
			TwDeleteBar( static_cast<TwBar*>( mTweakBar ) );
			mTweakBar = nullptr;
		}
	}

	void SkillsComponent::Serialise( ResourceRecord& record )
	{
		Serialiser& serialiser = Serialiser::Instance();
		pugi::xml_node node = serialiser.BeginComponent( mType );
		Property::WriteFloat( node, "RadialLightEnergy", "mRadialLightEnergy", mRadialLightEnergy );
		Property::WriteFloat( node, "RadialLightEnergyMax", "mRadialLightEnergyMax", mRadialLightEnergyMax );
		Property::WriteFloat( node, "LightBombCooldown", "mLightBombCooldown", mLightBombCooldown );
		Property::WriteFloat( node, "LightBombCooldownCurrentTime", "mLightBombCooldownCurrentTime", mLightBombCooldownCurrentTime );
		Property::WriteBool( node, "LightBombReady", "mLightBombReady", mLightBombReady );
		Property::WriteBool( node, "SpeedBoost", "mSpeedBoost", mSpeedBoost );
		Property::WriteFloat( node, "SpeedTimer", "mSpeedTimer", mSpeedTimer );
		serialiser.SaveComponent( record );
	}

	void SkillsComponent::CreateTweakBar()
	{
		const std::string name = TweakBarName();
		TwBar* bar = TwNewBar( name.c_str() );
		mTweakBar = bar;
		TwAddVarRW( bar, "Curr Energy", TW_TYPE_FLOAT, &mRadialLightEnergy, " group=RadialLight " );
		TwAddVarRW( bar, "Max  Energy", TW_TYPE_FLOAT, &mRadialLightEnergyMax, " group=RadialLight " );
		TwAddVarRW( bar, "Bomb Cooldown", TW_TYPE_FLOAT, &mLightBombCooldown, " group=LightBomb " );
		TwAddVarRW( bar, "Bomb Curr CD", TW_TYPE_FLOAT, &mLightBombCooldownCurrentTime, " group=LightBomb " );
		TwAddVarRW( bar, "Bomb Ready", TW_TYPE_BOOLCPP, &mLightBombReady, " group=LightBomb " );
		TwAddVarRW( bar, "Speed Boost", TW_TYPE_BOOLCPP, &mSpeedBoost, " group=SpeedBoost " );
		TwAddVarRW( bar, "Speed Boost Timer", TW_TYPE_FLOAT, &mSpeedTimer, " group=SpeedBoost " );
	}
}
