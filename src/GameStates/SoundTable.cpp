#include "GameStates/SoundTable.h"

namespace Tarn
{
	namespace
	{
		constexpr SoundTableEntry kSoundTable[] = {
			{ "resource/Sound/Beam_EnergyBeamInitialFireFinal.wav", SoundGroup::Effects, true },
			{ "resource/Sound/Button_ClickSound.wav", SoundGroup::Effects, false },
			{ "resource/Sound/Button_FunctionSound.wav", SoundGroup::Effects, false },
			{ "resource/Sound/Button_HoverSound.wav", SoundGroup::Effects, false },
			{ "resource/Sound/Button_StartGameSound.wav", SoundGroup::Effects, false },
			{ "resource/Sound/Enemy_StunFinal.wav", SoundGroup::Effects, false },
			{ "resource/Sound/InanimateObject_ActivateSnap.wav", SoundGroup::Effects, false },
			{ "resource/Sound/Player_GetHit.wav", SoundGroup::Effects, false },
			{ "resource/Sound/Portal_Open.wav", SoundGroup::Effects, false },
			{ "resource/Sound/ScoreScreen_ActivateFinal.wav", SoundGroup::Effects, false },
			{ "resource/Sound/ScoreScreen_LoseFinal.wav", SoundGroup::Effects, false },
			{ "resource/Sound/Switch_Activate.wav", SoundGroup::Effects, false },
			{ "resource/Sound/Switch_Charging.wav", SoundGroup::Effects, true },
			{ "resource/Sound/Switch_Deactivate.wav", SoundGroup::Effects, false },
			{ "resource/Sound/Switch_WrongSwitch.wav", SoundGroup::Effects, false },
			{ "resource/Sound/Teleport_Win.wav", SoundGroup::Effects, false },
			{ "resource/Sound/Music_MainMenu.mp3", SoundGroup::Background, true },
			{ "resource/Sound/corvinlake.mp3", SoundGroup::Background, true },
		};

		constexpr const char* kScriptedLevelSounds[] = {
			"resource/sound/AsteroidBreakShort1.wav",
			"resource/sound/CloudExplosion2.wav",
			"resource/sound/FirstBossHandAttack.wav",
			"resource/sound/FirstBossFootCharge.wav",
			"resource/sound/FirstBossDeath.mp3",
			"resource/sound/BossDamaged.mp3",
			"resource/sound/corvinlake.mp3",
		};
	}

	std::span<const SoundTableEntry> SoundTable()
	{
		return kSoundTable;
	}

	std::span<const char* const> ScriptedLevelSounds()
	{
		return kScriptedLevelSounds;
	}
}
